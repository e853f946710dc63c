#include "gltf_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include <tiny_gltf.h>

#include "exchange_text.h"
#include "import_builder.h"
#include "texture_import.h"

namespace quillo {

namespace {

// A 4 x 4 matrix for column vectors, column by column (glTF's layout).
struct Matrix {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Matrix translation(const double t[3])
    {
        Matrix r;
        r.m[12] = t[0], r.m[13] = t[1], r.m[14] = t[2];
        return r;
    }
    Matrix operator*(const Matrix& b) const
    {
        Matrix r;
        for (int c = 0; c < 4; ++c)
            for (int row = 0; row < 4; ++row) {
                double s = 0;
                for (int k = 0; k < 4; ++k) s += m[k * 4 + row] * b.m[c * 4 + k];
                r.m[c * 4 + row] = s;
            }
        return r;
    }
    void apply(const double p[3], double out[3]) const
    {
        for (int row = 0; row < 3; ++row)
            out[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
    }
};

Matrix localMatrix(const tinygltf::Node& n)
{
    Matrix r;
    if (n.matrix.size() == 16) {
        for (int i = 0; i < 16; ++i) r.m[i] = n.matrix[size_t(i)];
        return r;
    }
    double t[3] = {0, 0, 0}, q[4] = {0, 0, 0, 1}, s[3] = {1, 1, 1};
    for (size_t i = 0; i < 3 && n.translation.size() == 3; ++i) t[i] = n.translation[i];
    for (size_t i = 0; i < 4 && n.rotation.size() == 4; ++i) q[i] = n.rotation[i];
    for (size_t i = 0; i < 3 && n.scale.size() == 3; ++i) s[i] = n.scale[i];
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double rot[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                              {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                              {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    for (int c = 0; c < 3; ++c)
        for (int row = 0; row < 3; ++row) r.m[c * 4 + row] = rot[row][c] * s[c];
    r.m[12] = t[0], r.m[13] = t[1], r.m[14] = t[2];
    return r;
}

void nodeTranslation(const tinygltf::Node& n, double t[3])
{
    const Matrix m = localMatrix(n);
    t[0] = m.m[12], t[1] = m.m[13], t[2] = m.m[14];
}

std::string kindOf(const tinygltf::Node& n)
{
    if (!n.extras.IsObject() || !n.extras.Has("quillo")) return {};
    const tinygltf::Value& v = n.extras.Get("quillo");
    return v.IsString() ? v.Get<std::string>() : std::string();
}

int intExtra(const tinygltf::Value& extras, const char* name)
{
    if (!extras.IsObject() || !extras.Has(name)) return 0;
    const tinygltf::Value& v = extras.Get(name);
    return v.IsInt() ? v.Get<int>() : v.IsNumber() ? int(v.GetNumberAsDouble()) : 0;
}

double numberExtra(const tinygltf::Value& extras, const char* name, double otherwise)
{
    if (!extras.IsObject() || !extras.Has(name)) return otherwise;
    const tinygltf::Value& v = extras.Get(name);
    return v.IsNumber() ? v.GetNumberAsDouble() : otherwise;
}

constexpr int maxParts = 100000;

// A node position as the model stores it: a place that is not a number, or
// lies beyond a billion grid units, becomes the origin.
float placed(double v) { return std::fabs(v / double(dt)) < 1e9 ? float(v) : 0.0f; }

// The triangles of one object's parts, held until the object's textures are known.
struct ObjectImport {
    explicit ObjectImport(ModelObject& o) : builder(o) {}
    ObjectBuilder builder;
    std::vector<std::pair<ModelPart*, std::vector<ImportTriangle>>> parts;
};

class GltfImport {
public:
    GltfImport(const tinygltf::Model& model, TextureImport* textures) : g_(model), textures_(textures) {}

    std::string why;
    ImportCounts counts;

    // Node `index` as a new object placed at `position` (model units).
    std::unique_ptr<ModelObject> object(int index, bool topLevel, const double position[3])
    {
        auto o = std::make_unique<ModelObject>(topLevel);
        const tinygltf::Node& n = g_.nodes[size_t(index)];
        setImportName(o->name, n.name, "物体", ++counts.objects);
        const int serial = counts.objects - 1;
        ObjectImport builder(*o);
        const bool ours = kindOf(n) == "object";
        // A quillomodel object holds one root part node; any other node is its own root part.
        if (ours && n.mesh < 0 && n.children.size() == 1 && kindOf(node(n.children[0])) == "part") {
            double t[3];
            const int root = n.children[0];
            nodeTranslation(node(root), t);
            for (int k = 0; k < 3; ++k) o->rootPart->position[k] = placed(t[k]);
            part(*o, builder, *o->rootPart, root, Matrix(), true);
        } else {
            Matrix frame = localMatrix(n); // rotation and scale are baked into the vertices
            frame.m[12] = frame.m[13] = frame.m[14] = 0;
            part(*o, builder, *o->rootPart, index, frame, false);
        }
        finish(*o, serial, builder);
        counts.vertices += o->vertices.count();
        for (int k = 0; k < 3; ++k) o->position[k] = placed(position[k]);
        return o;
    }

private:
    const tinygltf::Node& node(int index) const { return g_.nodes[size_t(index)]; }

    // Textures first (they choose the colours of the textured triangles), then the faces.
    void finish(ModelObject& o, int serial, ObjectImport& import)
    {
        std::vector<TexturedFace> textured;
        for (auto& [p, triangles] : import.parts) addTexturedTriangles(triangles, textured);
        if (textures_ && !textured.empty())
            resolveTextures(o, serial, textured,
                            [this](int32_t id, std::string& name) { return picture(id, name); }, *textures_);
        for (auto& [p, triangles] : import.parts) counts.faces += import.builder.addTriangles(*p, triangles);
    }

    // The decoded picture of image `id`, decoded once.
    const RgbaPicture* picture(int32_t id, std::string& name)
    {
        if (id < 0 || size_t(id) >= g_.images.size()) return nullptr;
        const tinygltf::Image& image = g_.images[size_t(id)];
        name = image.name;
        auto [it, added] = pictures_.try_emplace(id);
        if (added) {
            std::string why;
            it->second.first = decodePicture(image.image.data(), image.image.size(), it->second.second, why);
        }
        return it->second.first ? &it->second.second : nullptr;
    }

    // The image behind material `index`'s base-colour texture and the
    // number of its coordinate set; -1 when it has none.
    int32_t pictureOf(int index, int& set) const
    {
        if (index < 0 || size_t(index) >= g_.materials.size()) return -1;
        const tinygltf::TextureInfo& info = g_.materials[size_t(index)].pbrMetallicRoughness.baseColorTexture;
        if (info.index < 0 || size_t(info.index) >= g_.textures.size() || info.texCoord < 0 || info.texCoord > 99)
            return -1;
        set = info.texCoord;
        const int source = g_.textures[size_t(info.index)].source;
        return source >= 0 && size_t(source) < g_.images.size() ? source : -1;
    }

    // Fills `p` from node `index`, whose mesh is placed in the object by
    // `frame`; a quillomodel node keeps its pose out of the vertices.
    void part(ModelObject& o, ObjectImport& builder, ModelPart& p, int index, const Matrix& frame, bool ours)
    {
        ++counts.parts;
        const tinygltf::Node& n = node(index);
        setImportName(p.name, n.name, "部分", counts.parts);
        if (!visiting_.insert(index).second) return; // a node tree with a loop
        // Nodes shared by several parents are copied; a chain of them could double without end.
        if (counts.parts > maxParts) {
            visiting_.erase(index);
            return;
        }
        if (n.mesh >= 0 && size_t(n.mesh) < g_.meshes.size()) mesh(builder, p, g_.meshes[size_t(n.mesh)], frame);
        for (int c : n.children) {
            if (c < 0 || size_t(c) >= g_.nodes.size()) continue;
            const tinygltf::Node& child = node(c);
            double origin[3], zero[3] = {0, 0, 0};
            frame.apply(zero, origin);
            if (ours && kindOf(child) == "object") {
                double t[3];
                nodeTranslation(child, t);
                for (int k = 0; k < 3; ++k) t[k] += origin[k];
                if (auto e = object(c, false, t); e && p.objects.append(e.get()) >= 0) e.release();
                continue;
            }
            auto childPart = std::make_unique<ModelPart>(true);
            Matrix childFrame;
            if (ours) {
                double t[3];
                nodeTranslation(child, t);
                for (int k = 0; k < 3; ++k) t[k] += origin[k];
                childFrame = Matrix::translation(t);
            } else {
                childFrame = frame * localMatrix(child);
            }
            double pivot[3];
            childFrame.apply(zero, pivot);
            for (int k = 0; k < 3; ++k) childPart->position[k] = placed(pivot[k]);
            part(o, builder, *childPart, c, childFrame, ours);
            if (p.children.append(childPart.get()) >= 0) childPart.release();
        }
        visiting_.erase(index);
    }

    void mesh(ObjectImport& import, ModelPart& p, const tinygltf::Mesh& m, const Matrix& frame)
    {
        ObjectBuilder& builder = import.builder;
        std::vector<ImportTriangle> triangles;
        for (const tinygltf::Primitive& prim : m.primitives) {
            if (prim.mode != TINYGLTF_MODE_TRIANGLES && prim.mode != -1) continue;
            auto position = prim.attributes.find("POSITION");
            if (position == prim.attributes.end()) continue;
            std::vector<double> xyz;
            if (!readFloats(position->second, TINYGLTF_TYPE_VEC3, xyz)) continue;
            std::vector<int32_t> index(xyz.size() / 3);
            for (size_t i = 0; i < index.size(); ++i) {
                double q[3];
                frame.apply(&xyz[i * 3], q);
                index[i] = builder.vertex(q[0], q[1], q[2]);
            }
            std::vector<uint32_t> order;
            if (prim.indices >= 0) {
                if (!readIndices(prim.indices, order)) continue;
            } else {
                for (uint32_t i = 0; i < index.size(); ++i) order.push_back(i);
            }
            const int32_t colour = material(builder, prim.material);
            int set = 0;
            int32_t picture = pictureOf(prim.material, set);
            std::vector<double> uvs;
            if (picture >= 0) {
                auto coordinates = prim.attributes.find("TEXCOORD_" + std::to_string(set));
                if (coordinates == prim.attributes.end() || !readFloats(coordinates->second, TINYGLTF_TYPE_VEC2, uvs) ||
                    uvs.size() / 2 != index.size())
                    picture = -1;
            }
            for (size_t i = 0; i + 2 < order.size(); i += 3) {
                if (order[i] >= index.size() || order[i + 1] >= index.size() || order[i + 2] >= index.size()) continue;
                ImportTriangle t;
                for (int k = 0; k < 3; ++k) t.v[k] = index[order[i + size_t(k)]];
                if (t.v[0] < 0 || t.v[1] < 0 || t.v[2] < 0) continue;
                t.material = colour;
                t.twistFix = intExtra(prim.extras, "twistFix") ? 1 : 0;
                t.doubleSided = !t.twistFix && intExtra(prim.extras, "doubleSided") ? 1 : 0;
                t.picture = picture;
                for (int k = 0; k < 3 && picture >= 0; ++k)
                    for (int c = 0; c < 2; ++c) t.uv[k][c] = float(uvs[order[i + size_t(k)] * 2 + size_t(c)]);
                triangles.push_back(t);
            }
        }
        import.parts.emplace_back(&p, std::move(triangles));
    }

    // Exact colours from a quillomodel file, else the base colour lit fully by diffuse light.
    int32_t material(ObjectBuilder& builder, int index)
    {
        if (index < 0 || size_t(index) >= g_.materials.size()) return builder.material(255, 255, 255, 0.0f, 1.0f, 0.0f);
        const tinygltf::Material& m = g_.materials[size_t(index)];
        const std::vector<double>& base = m.pbrMetallicRoughness.baseColorFactor;
        auto channel = [&](size_t k, const char* name) {
            const double fallback = base.size() > k ? std::round(std::clamp(base[k], 0.0, 1.0) * 255.0) : 255.0;
            return int(numberExtra(m.extras, name, fallback));
        };
        const double specular = std::clamp(1.0 - m.pbrMetallicRoughness.roughnessFactor, 0.0, 1.0);
        return builder.material(channel(0, "red"), channel(1, "green"), channel(2, "blue"),
                                float(numberExtra(m.extras, "ambient", 0.0)),
                                float(numberExtra(m.extras, "diffuse", 1.0)),
                                float(numberExtra(m.extras, "specular", specular)));
    }

    // The bytes of accessor `a`'s element `i`, or null when they lie outside its buffer.
    const unsigned char* element(const tinygltf::Accessor& a, size_t i, size_t size) const
    {
        if (a.bufferView < 0 || size_t(a.bufferView) >= g_.bufferViews.size()) return nullptr;
        const tinygltf::BufferView& v = g_.bufferViews[size_t(a.bufferView)];
        if (v.buffer < 0 || size_t(v.buffer) >= g_.buffers.size()) return nullptr;
        const std::vector<unsigned char>& data = g_.buffers[size_t(v.buffer)].data;
        const size_t stride = v.byteStride ? v.byteStride : size;
        // Every sum below stays far from overflowing once these hold.
        if (v.byteLength > data.size() || v.byteOffset > data.size() - v.byteLength || a.byteOffset > v.byteLength ||
            stride > 4096 || i > data.size())
            return nullptr;
        const size_t offset = a.byteOffset + i * stride; // within the view
        if (offset + size > v.byteLength) return nullptr;
        return data.data() + v.byteOffset + offset;
    }

    bool readFloats(int accessor, int type, std::vector<double>& out) const
    {
        if (accessor < 0 || size_t(accessor) >= g_.accessors.size()) return false;
        const tinygltf::Accessor& a = g_.accessors[size_t(accessor)];
        if (a.type != type || a.componentType != TINYGLTF_COMPONENT_TYPE_FLOAT || a.sparse.isSparse) return false;
        const size_t width = type == TINYGLTF_TYPE_VEC3 ? 3 : 2;
        for (size_t i = 0; i < a.count; ++i) {
            const unsigned char* p = element(a, i, width * sizeof(float));
            if (!p) return false;
            for (size_t k = 0; k < width; ++k) {
                float f;
                std::memcpy(&f, p + k * sizeof(float), sizeof f);
                if (!std::isfinite(f)) return false;
                out.push_back(f);
            }
        }
        return true;
    }

    bool readIndices(int accessor, std::vector<uint32_t>& out) const
    {
        if (accessor < 0 || size_t(accessor) >= g_.accessors.size()) return false;
        const tinygltf::Accessor& a = g_.accessors[size_t(accessor)];
        size_t size = 0;
        switch (a.componentType) {
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: size = 1; break;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: size = 2; break;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: size = 4; break;
        default: return false;
        }
        if (a.type != TINYGLTF_TYPE_SCALAR || a.sparse.isSparse) return false;
        for (size_t i = 0; i < a.count; ++i) {
            const unsigned char* p = element(a, i, size);
            if (!p) return false;
            uint32_t value = 0;
            if (size == 1) value = p[0];
            else if (size == 2) value = uint32_t(p[0] | p[1] << 8);
            else std::memcpy(&value, p, 4);
            out.push_back(value);
        }
        return true;
    }

    const tinygltf::Model& g_;
    TextureImport* textures_;
    std::map<int32_t, std::pair<bool, RgbaPicture>> pictures_;
    std::set<int> visiting_;
};

} // namespace

bool readGltf(ModelDocument& document, const std::string& path, std::string& why, ImportCounts* counts,
              TextureImport* textures)
{
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    // Pictures are kept as their file bytes; only those a texture needs are decoded, after a look at their size.
    loader.SetImageLoader(
        [](tinygltf::Image* image, const int, std::string*, std::string*, int, int, const unsigned char* bytes, int size,
           void*) {
            if (bytes && size > 0) image->image.assign(bytes, bytes + size);
            return true;
        },
        nullptr);
    std::string error, warning;
    const bool binary = endsWithNoCase(path, ".glb");
    const bool loaded = binary ? loader.LoadBinaryFromFile(&model, &error, &warning, path)
                               : loader.LoadASCIIFromFile(&model, &error, &warning, path);
    if (!loaded) {
        why = error.empty() ? "cannot read " + path : error;
        while (!why.empty() && (why.back() == '\n' || why.back() == '\r')) why.pop_back();
        return false;
    }
    const float oldStep = dt;
    const double step = numberExtra(model.asset.extras, "dt", 0.0);
    if (step > 0 && std::isfinite(step)) dt = float(step);

    // The scene's roots, or every node no other node holds when there is no scene.
    std::vector<int> roots;
    const int scene = model.defaultScene >= 0 ? model.defaultScene : 0;
    if (size_t(scene) < model.scenes.size()) {
        roots = model.scenes[size_t(scene)].nodes;
    } else {
        std::vector<bool> held(model.nodes.size(), false);
        for (const tinygltf::Node& n : model.nodes)
            for (int c : n.children)
                if (c >= 0 && size_t(c) < held.size()) held[size_t(c)] = true;
        for (size_t i = 0; i < held.size(); ++i)
            if (!held[i]) roots.push_back(int(i));
    }
    TextureImport made; // handed over only when the import succeeds
    if (textures) made.stem = textures->stem;
    GltfImport import(model, textures ? &made : nullptr);
    std::vector<std::unique_ptr<ModelObject>> objects;
    for (int r : roots) {
        if (r < 0 || size_t(r) >= model.nodes.size()) continue;
        double t[3];
        nodeTranslation(model.nodes[size_t(r)], t);
        objects.push_back(import.object(r, true, t));
    }
    if (import.counts.faces == 0) {
        dt = oldStep;
        why = "no triangles in " + path;
        return false;
    }
    for (auto& o : objects) {
        if (document.objects.append(o.get()) >= 0) o.release();
    }
    if (counts) *counts = import.counts;
    if (textures) *textures = std::move(made);
    return true;
}

} // namespace quillo
