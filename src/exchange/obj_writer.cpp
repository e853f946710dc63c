#include "obj_writer.h"

#include <cstdio>
#include <vector>

#include "exchange_mesh.h"
#include "exchange_text.h"
#include "model/atomic_file.h"
#include "model/bmp_pattern.h"

namespace quillo {

namespace {

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", v);
    return text;
}

// A name as one word (OBJ and MTL names end at a blank).
std::string word(const std::string& name)
{
    std::string w = exchangeName(name);
    for (char& c : w)
        if (c == ' ' || c == '\t') c = '_';
    return w.empty() ? "_" : w;
}

std::string baseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class ObjBuilder {
public:
    ObjBuilder(const std::string& path, const PngEncoder& png) : path_(path), png_(png)
    {
        stem_ = path.substr(0, path.size() - 4); // without ".obj"
        obj_ = "# quillomodel\nmtllib " + baseName(stem_) + ".mtl\n";
    }

    void addObject(const ModelObject& o, const float offset[3], int depth = 0)
    {
        const int serial = counts.objects++;
        float at[3];
        for (int k = 0; k < 3; ++k) at[k] = offset[k] + o.position[k] + o.rootPart->position[k];
        obj_ += "o " + word(o.name) + "\n";
        const int first = vertexBase_;
        for (const Vertex& v : o.vertices)
            obj_ += "v " + number(double(v.x) + at[0]) + " " + number(double(v.y) + at[1]) + " " +
                    number(double(v.z) + at[2]) + "\n";
        vertexBase_ += o.vertices.count();
        counts.vertices += o.vertices.count();
        std::vector<std::string> names(size_t(o.materials.count()));
        for (int i = 0; i < o.materials.count(); ++i) names[size_t(i)] = material(o, serial, i);
        addPart(o, *o.rootPart, first, names, at, depth);
    }

    std::string objText() const { return obj_; }
    std::string mtlText() const { return mtl_; }
    std::vector<std::pair<std::string, std::vector<unsigned char>>> images;
    ObjCounts counts;

private:
    void addPart(const ModelObject& o, const ModelPart& p, int first, const std::vector<std::string>& names,
                 const float at[3], int depth)
    {
        // The part's place in the tree and its pivot, for an import to rebuild the tree (other readers skip comments).
        float pivot[3];
        for (int k = 0; k < 3; ++k) pivot[k] = at[k] + (p.child ? p.position[k] : 0.0f);
        obj_ += "#quillo part ";
        obj_ += std::to_string(depth);
        obj_ += " " + number(pivot[0]) + " " + number(pivot[1]) + " " + number(pivot[2]) + "\n";
        obj_ += "g " + word(p.name) + "\n";
        ++counts.groups;
        int lastMaterial = -2;
        for (const Face& f : p.faces) {
            if (!o.materials.at(f.material)) continue; // the renderer draws no face without a colour
            // Distinct corners from the one that keeps the diagonal at the second and fourth corner.
            std::vector<int> corners;
            const int start = f.altDiagonal ? 1 : 0;
            for (int k = 0; k < 4; ++k) {
                const int c = (start + k) % 4;
                bool repeated = false;
                for (int d : corners) repeated = repeated || f.index(d) == f.index(c);
                if (!repeated) corners.push_back(c);
            }
            bool inside = true;
            for (int c : corners) inside = inside && f.index(c) >= 0 && f.index(c) < o.vertices.count();
            if (corners.size() < 3 || !inside) continue;
            if (f.material != lastMaterial) obj_ += "usemtl " + names[size_t(f.material)] + "\n";
            lastMaterial = f.material;
            float uv[4][2];
            const bool textured = faceTexture(o, f, uv);
            std::string line = "f";
            for (int c : corners) {
                // Appended piece by piece: GCC 12 warns (-Wrestrict) about "literal" + std::string here.
                line += ' ';
                line += std::to_string(first + f.index(c) + 1);
                if (textured) {
                    obj_ += "vt " + number(uv[c][0]) + " " + number(1.0 - uv[c][1]) + "\n";
                    line += '/';
                    line += std::to_string(++uvCount_);
                }
            }
            obj_ += line + "\n";
            ++counts.faces;
        }
        for (const ModelPart* c : p.children) addPart(o, *c, first, names, at, depth + 1);
        for (const ModelObject* e : p.objects) addObject(*e, at, depth + 1);
    }

    // Colour `index` of object number `serial`: its MTL entry and, for a texture, its PNG.
    std::string material(const ModelObject& o, int serial, int index)
    {
        const Material& m = o.materials[index];
        const std::string name = word(o.name) + "_" + std::to_string(serial) + "_" + std::to_string(index);
        mtl_ += "newmtl " + name + "\n";
        mtl_ += "Kd " + number(m.red / 255.0) + " " + number(m.green / 255.0) + " " + number(m.blue / 255.0) + "\n";
        mtl_ += "Ka " + number(m.ambient) + " " + number(m.ambient) + " " + number(m.ambient) + "\n";
        mtl_ += "Ks " + number(m.specular) + " " + number(m.specular) + " " + number(m.specular) + "\n";
        // The diffuse coefficient has no MTL key; readers skip an unknown one.
        if (m.diffuse != 1.0f) mtl_ += "quillo_diffuse " + number(m.diffuse) + "\n";
        mtl_ += "illum 2\n";
        const Texture* t = o.textures.at(m.texture);
        std::vector<unsigned char> rgba, encoded;
        int32_t w = 0, h = 0;
        const int pattern = t && t->currentPattern >= 0 && t->currentPattern < t->patternCount ? t->currentPattern : 0;
        if (t && png_ && patternRgba(*t, pattern, rgba, w, h) && png_(w, h, rgba, encoded)) {
            const std::string file = stem_ + "_" + std::to_string(serial) + "_" + std::to_string(m.texture) + ".png";
            mtl_ += "map_Kd " + baseName(file) + "\n";
            bool known = false;
            for (const auto& image : images) known = known || image.first == file;
            if (!known) {
                images.emplace_back(file, std::move(encoded));
                ++counts.textures;
            }
        }
        mtl_ += "\n";
        ++counts.materials;
        return name;
    }

    std::string path_, stem_, obj_, mtl_;
    const PngEncoder& png_;
    int vertexBase_ = 0, uvCount_ = 0;
};

bool writeFile(const std::string& path, std::string_view bytes)
{
    AtomicFile file(path);
    return file.open() && file.write(bytes) && file.commit();
}

} // namespace

bool writeObj(const ModelDocument& document, const std::string& path, const PngEncoder& png, std::string& why,
              ObjCounts* counts)
{
    if (!endsWithNoCase(path, ".obj")) {
        why = path + " does not end in .obj";
        return false;
    }
    ObjBuilder builder(path, png);
    const float none[3] = {0, 0, 0};
    for (const ModelObject* o : document.objects) builder.addObject(*o, none);
    for (const auto& [file, bytes] : builder.images)
        if (!writeFile(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))) {
            why = "cannot write " + file;
            return false;
        }
    const std::string mtl = path.substr(0, path.size() - 4) + ".mtl";
    if (!writeFile(mtl, builder.mtlText()) || !writeFile(path, builder.objText())) {
        why = "cannot write " + path;
        return false;
    }
    if (counts) *counts = builder.counts;
    return true;
}

} // namespace quillo
