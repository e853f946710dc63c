#include "texture_import.h"

#include <cstring>
#include <map>
#include <utility>

#include "import_builder.h"
#include "model/atomic_file.h"
#include "model/file_util.h"
#include "model/text_util.h"

namespace quillo {

namespace {

bool nameTaken(const ModelObject& object, const std::string& name)
{
    for (const Texture& t : object.textures)
        if (name == t.name) return true;
    return false;
}

// A texture name for the model file: one word, unique within the object.
std::string textureName(const ModelObject& object, const std::string& wanted)
{
    std::string base = wanted.substr(0, 200);
    for (char& c : base)
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = '_';
    if (base.empty()) base = "テクスチャ";
    std::string name = base;
    for (int n = 2; nameTaken(object, name); ++n) name = base + "_" + std::to_string(n);
    return name;
}

} // namespace

std::string importTextureStem(const std::string& model)
{
    std::string stem = model;
    const size_t slash = stem.find_last_of('/');
    const size_t dot = stem.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) stem.erase(dot);
    return stem.empty() || stem[0] == '/' ? stem : currentDirectory() + stem;
}

bool writeImportFiles(const std::vector<ImportFile>& files, std::string& failed)
{
    for (const ImportFile& f : files) {
        AtomicFile file(f.path);
        if (!file.open() || !file.write(f.bytes) || !file.commit()) {
            failed = f.path;
            return false;
        }
    }
    return true;
}

void addTexturedTriangles(std::vector<ImportTriangle>& triangles, std::vector<TexturedFace>& faces)
{
    for (ImportTriangle& t : triangles) {
        if (t.picture < 0) continue;
        TexturedTriangle corners{{t.v[0], t.v[1], t.v[2]}, {}};
        for (int k = 0; k < 3; ++k) corners.uv[k][0] = t.uv[k][0], corners.uv[k][1] = t.uv[k][1];
        faces.push_back(TexturedFace{&t.material, t.picture, {corners}});
    }
}

void resolveTextures(ModelObject& object, int serial, std::vector<TexturedFace>& faces, const PictureSource& pictures,
                     TextureImport& import)
{
    // Faces by picture and colour, in the order first met.
    std::map<std::pair<int32_t, int32_t>, std::vector<size_t>> groups;
    std::vector<std::pair<int32_t, int32_t>> order;
    for (size_t i = 0; i < faces.size(); ++i) {
        const auto key = std::make_pair(faces[i].picture, *faces[i].material);
        auto [it, added] = groups.try_emplace(key);
        if (added) order.push_back(key);
        it->second.push_back(i);
    }
    for (const auto& key : order) {
        const std::vector<size_t>& members = groups[key];
        std::string name;
        const RgbaPicture* picture = import.stem.empty() ? nullptr : pictures(key.first, name);
        const Material* colour = object.materials.at(key.second);
        PatternPicture pattern;
        if (picture && colour) pattern = patternPicture(*picture);
        std::vector<TexturedTriangle> triangles;
        for (size_t i : members)
            for (const TexturedTriangle& t : faces[i].triangles) triangles.push_back(t);
        PlanarFit fit;
        std::vector<char> fits;
        const std::string path =
            import.stem + "_" + std::to_string(serial) + "_" + std::to_string(object.textures.count()) + ".bmp";
        if (pattern.width <= 0 || path.size() >= size_t(pathSize) ||
            !fitPlanarTexture(object.vertices, triangles, pattern.width, pattern.height, fit, fits)) {
            import.colourOnly += int(members.size());
            continue;
        }
        Texture texture = makeTexture();
        copyToField(texture.files[0], pathSize, path);
        texture.patternCount = 1;
        texture.plane = fit.plane;
        texture.x0 = fit.x0;
        texture.y0 = fit.y0;
        texture.x1 = fit.x1;
        texture.y1 = fit.y1;
        copyToField(texture.name, sizeof texture.name, textureName(object, name));
        Material textured = *colour;
        if (!pattern.keyed) { // the bottom-left texel's colour is the key: the texture takes that colour
            const auto& key = pattern.palette[pattern.pixels[size_t(pattern.height - 1) * size_t(pattern.width)]];
            textured.red = key[0];
            textured.green = key[1];
            textured.blue = key[2];
        }
        textured.texture = object.textures.append(texture);
        if (textured.texture < 0) {
            import.colourOnly += int(members.size());
            continue;
        }
        const int32_t material = object.materials.append(textured);
        if (material < 0) {
            object.textures.removeAt(object.textures.count() - 1);
            import.colourOnly += int(members.size());
            continue;
        }
        import.files.push_back(ImportFile{path, encodeBmp8(pattern)});
        ++import.textures;
        // A face is textured when every triangle it draws fits.
        size_t at = 0;
        for (size_t i : members) {
            bool all = true;
            for (size_t k = 0; k < faces[i].triangles.size(); ++k) all = all && fits[at + k];
            at += faces[i].triangles.size();
            if (all) *faces[i].material = material;
            else ++import.colourOnly;
        }
    }
}

} // namespace quillo
