#include "gltf_writer.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>

#include <tiny_gltf.h>

#include "exchange_mesh.h"
#include "exchange_text.h"
#include "model/atomic_file.h"
#include "model/bmp_pattern.h"

namespace quillo {

namespace {

class GltfBuilder {
public:
    GltfBuilder(const PngEncoder& png) : png_(png)
    {
        m_.asset.version = "2.0";
        m_.asset.generator = "quillomodel";
        tinygltf::Value::Object extras;
        extras["dt"] = tinygltf::Value(double(dt)); // the grid step, so an import gives the same grid units
        m_.asset.extras = tinygltf::Value(extras);
        m_.buffers.emplace_back();
        m_.scenes.emplace_back();
        m_.defaultScene = 0;
    }

    void addObject(const ModelObject& o, const float parentOrigin[3], std::vector<int>& into)
    {
        const int node = newNode(exchangeName(o.name), "object");
        into.push_back(node);
        setPlacement(node, o, o.position, parentOrigin);
        std::vector<int> children; // nodes grow while the parts are added: no reference into them
        addPart(o, *o.rootPart, nullptr, children);
        m_.nodes[size_t(node)].children = children;
    }

    tinygltf::Model& model()
    {
        m_.buffers[0].data = std::move(bytes_);
        return m_;
    }
    ExportCounts counts;

private:
    // `kind` ("object" or "part") lets an import rebuild the same tree.
    int newNode(const std::string& name, const char* kind)
    {
        m_.nodes.emplace_back();
        m_.nodes.back().name = name;
        tinygltf::Value::Object extras;
        extras["quillo"] = tinygltf::Value(std::string(kind));
        m_.nodes.back().extras = tinygltf::Value(extras);
        ++counts.nodes;
        return int(m_.nodes.size()) - 1;
    }

    // Translation from the parent's origin and the node's own rotation.
    void setPlacement(int node, const ModelNode& n, const float at[3], const float parentOrigin[3])
    {
        tinygltf::Node& out = m_.nodes[size_t(node)];
        const double t[3] = {double(at[0]) - parentOrigin[0], double(at[1]) - parentOrigin[1],
                             double(at[2]) - parentOrigin[2]};
        if (t[0] != 0 || t[1] != 0 || t[2] != 0) out.translation.assign(t, t + 3);
        double q[4];
        nodeRotation(n, q);
        if (q[0] != 0 || q[1] != 0 || q[2] != 0) out.rotation.assign(q, q + 4);
    }

    void addPart(const ModelObject& o, const ModelPart& p, const ModelPart* parent, std::vector<int>& into)
    {
        float origin[3], parentOrigin[3] = {0, 0, 0};
        partOrigin(p, origin);
        if (parent) partOrigin(*parent, parentOrigin);
        const int node = newNode(exchangeName(p.name), "part");
        into.push_back(node);
        // A root part translates by its position; a child part turns about its pivot.
        setPlacement(node, p, p.child ? origin : p.position, parentOrigin);
        const int mesh = addMesh(o, p, origin);
        if (mesh >= 0) m_.nodes[size_t(node)].mesh = mesh;
        std::vector<int> children;
        for (const ModelPart* c : p.children) addPart(o, *c, &p, children);
        for (const ModelObject* e : p.objects) addObject(*e, origin, children);
        m_.nodes[size_t(node)].children = children;
    }

    int addMesh(const ModelObject& o, const ModelPart& p, const float origin[3])
    {
        const std::vector<MeshPrimitive> groups = partPrimitives(o, p, origin);
        if (groups.empty()) return -1;
        tinygltf::Mesh mesh;
        mesh.name = exchangeName(p.name);
        for (const MeshPrimitive& g : groups) {
            tinygltf::Primitive prim;
            prim.mode = TINYGLTF_MODE_TRIANGLES;
            prim.attributes["POSITION"] = addFloats(g.positions, 3, true);
            if (g.textured) prim.attributes["TEXCOORD_0"] = addFloats(g.uvs, 2, false);
            prim.indices = addIndices(g.indices);
            prim.material = material(o, g.material, g.textured);
            tinygltf::Value::Object flags;
            if (g.doubleSided) flags["doubleSided"] = tinygltf::Value(1);
            if (g.twistFix) flags["twistFix"] = tinygltf::Value(1);
            if (!flags.empty()) prim.extras = tinygltf::Value(flags);
            mesh.primitives.push_back(prim);
            counts.vertices += int(g.sourceVertex.size());
            counts.triangles += int(g.indices.size() / 3);
        }
        m_.meshes.push_back(mesh);
        ++counts.meshes;
        return int(m_.meshes.size()) - 1;
    }

    int addView(const void* data, size_t size, int target)
    {
        while (bytes_.size() % 4) bytes_.push_back(0);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = bytes_.size();
        view.byteLength = size;
        if (target) view.target = target;
        const auto* b = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), b, b + size);
        m_.bufferViews.push_back(view);
        return int(m_.bufferViews.size()) - 1;
    }

    int addFloats(const std::vector<float>& values, int width, bool bounds)
    {
        tinygltf::Accessor a;
        a.bufferView = addView(values.data(), values.size() * sizeof(float), TINYGLTF_TARGET_ARRAY_BUFFER);
        a.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        a.count = values.size() / size_t(width);
        a.type = width == 3 ? TINYGLTF_TYPE_VEC3 : TINYGLTF_TYPE_VEC2;
        if (bounds) { // positions must carry their bounds
            a.minValues.assign(size_t(width), 1e300);
            a.maxValues.assign(size_t(width), -1e300);
            for (size_t i = 0; i < values.size(); ++i) {
                double& lo = a.minValues[i % size_t(width)];
                double& hi = a.maxValues[i % size_t(width)];
                lo = std::min(lo, double(values[i]));
                hi = std::max(hi, double(values[i]));
            }
        }
        m_.accessors.push_back(a);
        return int(m_.accessors.size()) - 1;
    }

    int addIndices(const std::vector<uint32_t>& indices)
    {
        tinygltf::Accessor a;
        a.bufferView = addView(indices.data(), indices.size() * sizeof(uint32_t), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        a.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
        a.count = indices.size();
        a.type = TINYGLTF_TYPE_SCALAR;
        m_.accessors.push_back(a);
        return int(m_.accessors.size()) - 1;
    }

    // The glTF material of colour `index` of `o`, made once per object, colour and texturing.
    int material(const ModelObject& o, int index, bool textured)
    {
        const auto key = std::make_tuple(&o, index, textured);
        if (auto it = materials_.find(key); it != materials_.end()) return it->second;
        const Material& c = o.materials[index];
        tinygltf::Material out;
        out.name = exchangeName(o.name) + "/" + std::to_string(index);
        // The base colour is the colour lit by full ambient and diffuse
        // light: red, green and blue scaled by ambient + diffuse (at most 1).
        // Specular becomes smoothness; nothing is metallic.
        const double light = std::clamp(double(c.ambient) + double(c.diffuse), 0.0, 1.0);
        const double rgb[3] = {std::clamp(c.red, 0, 255) / 255.0, std::clamp(c.green, 0, 255) / 255.0,
                               std::clamp(c.blue, 0, 255) / 255.0};
        out.pbrMetallicRoughness.baseColorFactor = {rgb[0] * light, rgb[1] * light, rgb[2] * light, 1.0};
        out.pbrMetallicRoughness.metallicFactor = 0.0;
        out.pbrMetallicRoughness.roughnessFactor = 1.0 - std::clamp(double(c.specular), 0.0, 1.0);
        out.doubleSided = true;
        // The exact values, so that an import gives the colour back.
        tinygltf::Value::Object extras;
        extras["red"] = tinygltf::Value(c.red);
        extras["green"] = tinygltf::Value(c.green);
        extras["blue"] = tinygltf::Value(c.blue);
        extras["ambient"] = tinygltf::Value(double(c.ambient));
        extras["diffuse"] = tinygltf::Value(double(c.diffuse));
        extras["specular"] = tinygltf::Value(double(c.specular));
        out.extras = tinygltf::Value(extras);
        if (textured) {
            const int texture = textureOf(o, c.texture);
            if (texture >= 0) {
                out.pbrMetallicRoughness.baseColorTexture.index = texture;
                out.pbrMetallicRoughness.baseColorFactor = {light, light, light, 1.0};
                out.alphaMode = "MASK"; // the key colour
                out.alphaCutoff = 0.5;
            }
        }
        m_.materials.push_back(out);
        ++counts.materials;
        return materials_[key] = int(m_.materials.size()) - 1;
    }

    // The glTF texture of the current pattern of texture `index`; -1 when its file cannot be read.
    int textureOf(const ModelObject& o, int index)
    {
        const auto key = std::make_pair(&o, index);
        if (auto it = textures_.find(key); it != textures_.end()) return it->second;
        int result = -1;
        const Texture& t = o.textures[index];
        std::vector<unsigned char> rgba, encoded;
        int32_t w = 0, h = 0;
        const int pattern = t.currentPattern >= 0 && t.currentPattern < t.patternCount ? t.currentPattern : 0;
        if (png_ && patternRgba(t, pattern, rgba, w, h) && png_(w, h, rgba, encoded)) {
            tinygltf::Image image;
            image.name = exchangeName(t.name);
            image.mimeType = "image/png";
            image.bufferView = addView(encoded.data(), encoded.size(), 0);
            m_.images.push_back(image);
            if (m_.samplers.empty()) { // texels as the editor shows them: nearest, held at the edges
                tinygltf::Sampler s;
                s.magFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
                s.minFilter = TINYGLTF_TEXTURE_FILTER_NEAREST;
                s.wrapS = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
                s.wrapT = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
                m_.samplers.push_back(s);
            }
            tinygltf::Texture texture;
            texture.source = int(m_.images.size()) - 1;
            texture.sampler = 0;
            m_.textures.push_back(texture);
            result = int(m_.textures.size()) - 1;
            ++counts.textures;
        }
        return textures_[key] = result;
    }

    const PngEncoder& png_;
    tinygltf::Model m_;
    std::vector<unsigned char> bytes_;
    std::map<std::tuple<const ModelObject*, int, bool>, int> materials_;
    std::map<std::pair<const ModelObject*, int>, int> textures_;
};

} // namespace

bool writeGltf(const ModelDocument& document, const std::string& path, const PngEncoder& png, std::string& why,
               ExportCounts* counts)
{
    GltfBuilder builder(png);
    const float none[3] = {0, 0, 0};
    std::vector<int> roots;
    for (const ModelObject* o : document.objects) builder.addObject(*o, none, roots);
    tinygltf::Model& model = builder.model();
    model.scenes[0].nodes = roots;
    if (model.buffers[0].data.empty()) model.buffers.clear(); // a buffer may not be empty
    const bool binary = endsWithNoCase(path, ".glb");
    std::ostringstream text;
    tinygltf::TinyGLTF gltf;
    if (!gltf.WriteGltfSceneToStream(&model, text, true, binary)) {
        why = "cannot encode " + path;
        return false;
    }
    AtomicFile file(path);
    if (!file.open() || !file.write(text.str()) || !file.commit()) {
        why = "cannot write " + path;
        return false;
    }
    if (counts) *counts = builder.counts;
    return true;
}

} // namespace quillo
