#include "model_table.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/md4_file.h"
#include "model/messages.h"
#include "model/text_util.h"
#include "model/vertex_normals.h"
#include "object_buffers.h"

namespace quillo::engine3d {

namespace {

// The model's object converted part by part; false when the tree nests too deep.
class Converter {
public:
    Converter(DeviceLayer& layer, float fileStep) : layer_(layer), step_(fileStep) {}

    bool object(ModelObject& from, OBJCT& to, int depth)
    {
        if (depth > ModelTable::maxNesting) return false;
        // Normals first: dropping unused vertices renumbers the faces.
        from.partList.reset();
        collectParts(from.rootPart, from.partList);
        smoothVertexNormals(from);

        copyToField(to.name, sizeof to.name, from.name);
        to.place(from.position[0], from.position[1], from.position[2], 0.0f, 0.0f, 0.0f);
        for (const quillo::Vertex& v : from.vertices)
            to.vertices.append(Vertex{v.x, v.y, v.z, v.nx, v.ny, v.nz, 0, 0, 0});
        for (const quillo::Material& m : from.materials)
            to.materials.append(Material{m.red, m.green, m.blue, m.ambient, m.diffuse, m.specular, m.texture, 0});
        for (const Texture& t : from.textures) to.textures.append(entryOf(t));
        return part(*from.rootPart, *to.rootPart, to, depth);
    }

private:
    TextureEntry entryOf(const Texture& t)
    {
        TextureEntry e = makeTextureEntry();
        e.key = KeyColour{t.red, t.green, t.blue};
        e.projection = t.plane;
        e.umin = float(t.x0) * step_;
        e.vmin = float(t.y0) * step_;
        e.umax = float(t.x1) * step_;
        e.vmax = float(t.y1) * step_;
        e.patternCount = std::clamp(t.patternCount, 0, maxTexturePatterns);
        for (int i = 0; i < e.patternCount; ++i) copyToField(e.patternPaths[i], texturePathSize, t.files[i]);
        return e;
    }

    bool part(ModelPart& from, PART& to, OBJCT& owner, int depth)
    {
        if (depth > ModelTable::maxNesting) return false;
        copyToField(to.name, sizeof to.name, from.name);
        if (!from.child) to.place(from.position[0], from.position[1], from.position[2], 0.0f, 0.0f, 0.0f);
        for (const Face& f : from.faces) {
            Face copy = f;
            if (copy.material < 0 || copy.material >= owner.materials.count()) copy.material = defaultMaterial(owner);
            to.faces.append(copy);
        }
        for (ModelPart* c : from.children) {
            auto* joint = new JOINT(layer_.device(), c->position[0], c->position[1], c->position[2]);
            to.children.append(joint);
            if (!part(*c, *joint, owner, depth + 1)) return false;
        }
        for (ModelObject* o : from.objects) {
            auto* nested = new OBJCT(layer_.device(), false);
            to.subObjects.append(nested);
            if (!object(*o, *nested, depth + 1)) return false;
        }
        return true;
    }

    // Faces with no valid colour are drawn in the default colour, as the
    // model editor shows them; it is added to the table when first needed.
    int32_t defaultMaterial(OBJCT& owner)
    {
        const quillo::Material d = quillo::defaultMaterial();
        const Material m{d.red, d.green, d.blue, d.ambient, d.diffuse, d.specular, -1, 0};
        for (int i = 0; i < owner.materials.count(); ++i)
            if (std::memcmp(owner.materials.at(i), &m, sizeof m) == 0) return i;
        return owner.materials.append(m);
    }

    DeviceLayer& layer_;
    float step_;
};

// True when parts and nested objects lie more than `limit` levels deep,
// found without recursion so that no tree can exhaust the stack here.
bool nestedDeeperThan(ModelObject& top, int limit)
{
    std::vector<std::pair<ModelPart*, int>> open{{top.rootPart, 0}};
    while (!open.empty()) {
        auto [part, depth] = open.back();
        open.pop_back();
        if (depth > limit) return true;
        for (ModelPart* c : part->children) open.push_back({c, depth + 1});
        for (ModelObject* o : part->objects) open.push_back({o->rootPart, depth + 1});
    }
    return false;
}

void claimVertices(PART& part, OBJCT& object, DeviceLayer& layer, PointerList<OBJCT>* list)
{
    for (const Face& f : part.faces)
        for (int k = 0; k < 4; ++k)
            if (Vertex* v = object.vertices.at(f.index(k))) v->owner = part.matrixHandle;
    for (int i = part.subObjects.count() - 1; i >= 0; --i) prepare(*part.subObjects[i], layer, list);
    for (PART* c : part.children) claimVertices(*c, object, layer, list);
}

void listParts(PART* part, PointerList<PART>& out)
{
    out.append(part);
    for (PART* c : part->children) listParts(c, out);
}

void buildBuffers(OBJCT& object, DeviceLayer& layer)
{
    const MaterialTriangles triangles = collectTriangles(object);
    setexbuff(object, triangles, layer.maxVertexCount());
    setexbuff2(object, triangles, layer.maxVertexCount(), layer.identityMatrixHandle());
}

} // namespace

void prepare(OBJCT& object, DeviceLayer& layer, PointerList<OBJCT>* list)
{
    object.rebuild();
    object.mkmatrix();
    object.partList.reset();
    for (TextureEntry& t : object.textures) loadtexture(layer.device(), t);
    for (Material& m : object.materials) {
        const TextureEntry* t = object.textures.at(m.texture);
        m.handle = layer.materials().add(m.red, m.green, m.blue, m.ambient, m.diffuse, m.specular, t ? t->handle : 0);
    }
    listParts(object.rootPart, object.partList);
    if (list) {
        list->append(&object);
    } else if (object.objectList) {
        object.objectList->reset();
        object.objectList->append(&object);
        list = object.objectList;
    } else {
        return;
    }
    claimVertices(*object.rootPart, object, layer, list);
}

OBJCT* ModelTable::load(const std::string& path)
{
    if (count_ >= maxModels) {
        errorbox(formatMessage("このプログラムでは６４個以上のモデルは扱えません"));
        return nullptr;
    }
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fclose(f);
    } else {
        errorbox(formatMessage("モデル:%s が見つかりません", path.c_str()));
        return nullptr;
    }
    const float callerStep = dt;
    dt = defaultGridStep;
    ModelDocument document;
    const ReadResult read = readModel(document, path);
    const float fileStep = dt;
    dt = callerStep;
    if (read != ReadResult::ok) {
        if (read == ReadResult::cannotOpen) errorbox(formatMessage("モデル:%s が見つかりません", path.c_str()));
        return nullptr;
    }
    if (document.objects.count() == 0) {
        errorbox(formatMessage("モデルファイルを読み込めません\n%s", path.c_str()));
        return nullptr;
    }
    auto* top = new OBJCT(layer_.device(), true);
    Converter converter(layer_, fileStep);
    if (nestedDeeperThan(*document.objects[0], maxNesting) || !converter.object(*document.objects[0], *top, 0)) {
        delete top;
        errorbox(formatMessage("モデルファイルを読み込めません\n部分の入れ子が深すぎます"));
        return nullptr;
    }
    prepare(*top, layer_);
    for (OBJCT* o : *top->objectList) buildBuffers(*o, layer_);
    updateWorld(*top);
    copyToField(paths_[count_], pathSize, path);
    models_[count_++] = top;
    return top;
}

void ModelTable::clear()
{
    for (int i = 0; i < count_; ++i) delete models_[i];
    count_ = 0;
}

} // namespace quillo::engine3d
