#include "model_compare.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "model/fixed_point.h"
#include "model/md4_file.h"

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
    Comparer(int variant, float stepA, float stepB) : integer_(variant == variantInteger), steps_{stepA, stepB} {}
    std::string difference;
    int roundedCoordinates = 0;

    // A coordinate of side 0 (a) or 1 (b) as the flavour writes it.
    std::string coordinate(float v, int side) const
    {
        const float step = steps_[side];
        const int32_t g = truncToInt(v / step);
        return integer_ ? std::to_string(g) : asWritten(step * float(g));
    }

    bool check(bool same, const std::string& what)
    {
        if (!same && difference.empty()) difference = what;
        return same;
    }

    void grid(const float a[3], const float b[3], const std::string& what)
    {
        for (int i = 0; i < 3; ++i)
        {
            if (coordinate(a[i], 0) == coordinate(b[i], 1)) continue;
            // Six significant digits hold neither every grid position of a
            // large real coordinate nor every grid step: a real coordinate
            // may move by a step or so, and by the last digit written.
            const float step = std::max(steps_[0], steps_[1]);
            if (!integer_ && std::fabs(a[i] - b[i]) <= 1.5f * step + 1e-5f * std::fabs(a[i])) {
                ++roundedCoordinates;
                continue;
            }
            check(false, what + " coordinate " + std::to_string(i) + " " + coordinate(a[i], 0) + " became " +
                             coordinate(b[i], 1));
        }
    }

    // The material a face shows, as the file says it: colour, coefficients
    // and texture.
    std::string materialText(const ModelObject& o, int index, int side)
    {
        const Material* m = o.materials.at(index);
        if (!m) return "none";
        std::string s = std::to_string(m->red) + " " + std::to_string(m->green) + " " + std::to_string(m->blue) +
                        " " + asWritten(m->ambient) + " " + asWritten(m->diffuse) + " " + asWritten(m->specular);
        if (const Texture* t = o.textures.at(m->texture)) s += " texture " + textureText(*t, side);
        return s;
    }

    // The rectangle as the flavour writes it: corner and size in grid
    // units, or centre and size in model units.
    std::string rectangle(const Texture& t, int side)
    {
        const float step = steps_[side];
        const int64_t far = int64_t(1) << 22; // beyond it a float no longer holds a grid unit
        const bool huge = std::llabs(int64_t(t.x0)) > far || std::llabs(int64_t(t.y0)) > far ||
                          std::llabs(int64_t(t.x1)) > far || std::llabs(int64_t(t.y1)) > far;
        if (!integer_ && (steps_[0] != steps_[1] || huge)) {
            ++roundedCoordinates; // the real rectangle moves by rounding alone
            return "";
        }
        if (integer_)
            return std::to_string(t.x0) + " " + std::to_string(t.y0) + " " + std::to_string(int64_t(t.x1) - t.x0) +
                   " " + std::to_string(int64_t(t.y1) - t.y0);
        return asWritten(float(int64_t(t.x0) + t.x1) * step * 0.5f) + " " +
               asWritten(float(int64_t(t.y0) + t.y1) * step * 0.5f) + " " +
               asWritten(float(int64_t(t.x1) - t.x0) * step) + " " + asWritten(float(int64_t(t.y1) - t.y0) * step);
    }

    // A texture's colour counts only while no material shows it: prepare
    // copies the colour of the material that uses it.
    std::string textureText(const Texture& t, int side, bool used = true)
    {
        std::string s = std::string(*t.name ? t.name : "テクスチャ") + " plane " + std::to_string(t.plane) + " " +
                        rectangle(t, side);
        if (!used)
            s += " colour " + std::to_string(t.red) + " " + std::to_string(t.green) + " " + std::to_string(t.blue) +
                 " " + asWritten(t.ambient) + " " + asWritten(t.diffuse) + " " + asWritten(t.specular);
        s += " patterns";
        for (int i = 0; i < t.patternCount && i < maxPatterns; ++i) s += std::string(" ") + t.files[i];
        return s;
    }

    static bool shown(const ModelObject& o, int texture)
    {
        for (const Material& m : o.materials)
            if (m.texture == texture) return true;
        return false;
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
            check(materialText(oa, fa.material, 0) == materialText(ob, fb.material, 1),
                  face + " material " + materialText(oa, fa.material, 0) + " became " +
                      materialText(ob, fb.material, 1));
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
        for (int i = 0; i < a.textures.count(); ++i)
            ta.emplace(*a.textures[i].name ? a.textures[i].name : "テクスチャ", textureText(a.textures[i], 0, shown(a, i)));
        for (int i = 0; i < b.textures.count(); ++i)
            tb.emplace(*b.textures[i].name ? b.textures[i].name : "テクスチャ", textureText(b.textures[i], 1, shown(b, i)));
        for (auto& [name, text] : ta)
            check(tb.count(name) && tb[name] == text, at + ": texture " + text + " became " + tb[name]);
        check(ta.size() == tb.size(), at + ": texture count");
        part(a, *a.rootPart, b, *b.rootPart, at);
    }

private:
    bool integer_;
    float steps_[2];
};

} // namespace

std::string compareObjects(const ModelObject& a, const ModelObject& b, int variant, float stepA, float stepB)
{
    Comparer c(variant, stepA, stepB);
    c.object(a, b, "");
    return c.difference;
}

std::string compareModels(const ModelDocument& a, const ModelDocument& b, int variant, float stepA, float stepB,
                          int* rounded)
{
    Comparer c(variant, stepA, stepB);
    if (c.check(a.objects.count() == b.objects.count(), "object count"))
        for (int i = 0; i < a.objects.count(); ++i) c.object(*a.objects[i], *b.objects[i], "");
    if (rounded) *rounded = c.roundedCoordinates;
    return c.difference;
}

} // namespace quillo
