#include "model_compare.h"

#include <charconv>
#include <cstring>
#include <map>

#include "model/fixed_point.h"

namespace quillo {

namespace {

std::string asWritten(float v)
{
    char b[32];
    auto r = std::to_chars(b, b + sizeof b, double(v), std::chars_format::general, 6);
    return std::string(b, r.ptr);
}

bool sameName(const char* a, const char* b, const char* fallback)
{
    return std::strcmp(*a ? a : fallback, *b ? b : fallback) == 0;
}

class Comparer {
public:
    std::string difference;

    bool check(bool same, const std::string& what)
    {
        if (!same && difference.empty()) difference = what;
        return same;
    }

    void grid(const float a[3], const float b[3], const std::string& what)
    {
        for (int i = 0; i < 3; ++i)
            check(truncToInt(a[i] / dt) == truncToInt(b[i] / dt), what + " coordinate " + std::to_string(i));
    }

    // The material a face shows, as the file says it: colour, coefficients
    // and texture.
    std::string materialText(const ModelObject& o, int index)
    {
        const Material* m = o.materials.at(index);
        if (!m) return "none";
        std::string s = std::to_string(m->red) + " " + std::to_string(m->green) + " " + std::to_string(m->blue) +
                        " " + asWritten(m->ambient) + " " + asWritten(m->diffuse) + " " + asWritten(m->specular);
        if (const Texture* t = o.textures.at(m->texture)) s += " texture " + textureText(*t);
        return s;
    }

    std::string textureText(const Texture& t)
    {
        std::string s = std::string(*t.name ? t.name : "テクスチャ") + " plane " + std::to_string(t.plane) + " " +
                        std::to_string(t.x0) + " " + std::to_string(t.y0) + " " + std::to_string(t.x1) + " " +
                        std::to_string(t.y1) + " colour " + std::to_string(t.red) + " " + std::to_string(t.green) +
                        " " + std::to_string(t.blue) + " " + asWritten(t.ambient) + " " + asWritten(t.diffuse) +
                        " " + asWritten(t.specular) + " patterns";
        for (int i = 0; i < t.patternCount && i < maxPatterns; ++i) s += std::string(" ") + t.files[i];
        return s;
    }

    void part(const ModelObject& oa, const ModelPart& a, const ModelObject& ob, const ModelPart& b,
              const std::string& where)
    {
        const std::string at = where + "/" + (*a.name ? a.name : "部分");
        check(sameName(a.name, b.name, "部分"), at + ": part name " + a.name + " became " + b.name);
        grid(a.position, b.position, at + ": position");
        if (!check(a.faces.count() == b.faces.count(), at + ": face count " + std::to_string(a.faces.count()) +
                                                           " became " + std::to_string(b.faces.count())))
            return;
        for (int i = 0; i < a.faces.count() && difference.empty(); ++i) {
            const Face& fa = a.faces[i];
            const Face& fb = b.faces[i];
            const std::string face = at + ": face " + std::to_string(i);
            for (int k = 0; k < 4; ++k) check(fa.index(k) == fb.index(k), face + " index");
            check(fa.altDiagonal == fb.altDiagonal, face + " diagonal");
            check(fa.twistFix == fb.twistFix, face + " twist fix");
            if (!fa.twistFix) check(fa.doubleSided == fb.doubleSided, face + " double-sided");
            check(materialText(oa, fa.material) == materialText(ob, fb.material),
                  face + " material " + materialText(oa, fa.material) + " became " + materialText(ob, fb.material));
        }
        if (!check(a.children.count() == b.children.count(), at + ": child count")) return;
        for (int i = 0; i < a.children.count(); ++i) part(oa, *a.children[i], ob, *b.children[i], at);
        if (!check(a.objects.count() == b.objects.count(), at + ": embedded object count")) return;
        for (int i = 0; i < a.objects.count(); ++i) object(*a.objects[i], *b.objects[i], at);
    }

    void object(const ModelObject& a, const ModelObject& b, const std::string& where)
    {
        const std::string at = where + "/" + (*a.name ? a.name : "物体");
        check(sameName(a.name, b.name, "物体"), at + ": object name " + a.name + " became " + b.name);
        grid(a.position, b.position, at + ": position");
        if (!check(a.vertices.count() == b.vertices.count(), at + ": vertex count")) return;
        for (int i = 0; i < a.vertices.count(); ++i) {
            const float pa[3] = {a.vertices[i].x, a.vertices[i].y, a.vertices[i].z};
            const float pb[3] = {b.vertices[i].x, b.vertices[i].y, b.vertices[i].z};
            grid(pa, pb, at + ": vertex " + std::to_string(i));
        }
        std::map<std::string, std::string> ta, tb;
        for (const Texture& t : a.textures) ta.emplace(*t.name ? t.name : "テクスチャ", textureText(t));
        for (const Texture& t : b.textures) tb.emplace(*t.name ? t.name : "テクスチャ", textureText(t));
        for (auto& [name, text] : ta)
            check(tb.count(name) && tb[name] == text, at + ": texture " + text + " became " + tb[name]);
        check(ta.size() == tb.size(), at + ": texture count");
        part(a, *a.rootPart, b, *b.rootPart, at);
    }
};

} // namespace

std::string compareObjects(const ModelObject& a, const ModelObject& b)
{
    Comparer c;
    c.object(a, b, "");
    return c.difference;
}

std::string compareModels(const ModelDocument& a, const ModelDocument& b)
{
    Comparer c;
    if (!c.check(a.objects.count() == b.objects.count(), "object count")) return c.difference;
    for (int i = 0; i < a.objects.count(); ++i) c.object(*a.objects[i], *b.objects[i], "");
    return c.difference;
}

} // namespace quillo
