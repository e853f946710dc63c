// Model records: construction, ownership and preparation for drawing.
#include "model.h"

#include <cstdlib>
#include <cstring>

#include "bmp_pattern.h"
#include "colour_table.h"

namespace quillo {

bool sameFace(const Face& a, const Face& b)
{
    for (int shift = 0; shift < 4; ++shift) {
        bool equal = true;
        for (int k = 0; k < 4 && equal; ++k) equal = a.index(k) == b.index((k + shift) % 4);
        if (equal) return true;
    }
    return false;
}

Vertex makeVertex(float x, float y, float z)
{
    Vertex v;
    std::memset(&v, 0, sizeof v);
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

Material defaultMaterial() { return Material{255, 255, 255, 0.0f, 1.0f, 0.0f, -1, 0}; }

bool sameColour(const Material& a, const Material& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.ambient == b.ambient &&
           a.diffuse == b.diffuse && a.specular == b.specular;
}

Texture makeTexture()
{
    Texture t;
    std::memset(&t, 0, sizeof t);
    t.diffuse = 1.0f;
    return t;
}

void releaseImages(Texture& texture)
{
    for (auto& image : texture.images) {
        std::free(image);
        image = nullptr;
    }
    texture.currentImage = nullptr;
}

float snap(float value)
{
    if (value > 0.0f) return value + 0.2f * dt;
    if (value < 0.0f) return value - 0.2f * dt;
    return value;
}

ModelPart::ModelPart(bool isChild) : child(isChild) { std::memset(&world, 0, sizeof world); }

ModelPart::~ModelPart() { clear(); }

void ModelPart::clear()
{
    for (ModelObject* o : objects) delete o;
    for (ModelPart* p : children) delete p;
    objects.reset();
    children.reset();
    faces.reset();
    resetNode();
    name[0] = '\0';
}

ModelObject::ModelObject(bool withObjectList) : rootPart(new ModelPart(false))
{
    std::memset(&world, 0, sizeof world);
    if (withObjectList) objectList = new PointerList<ModelObject>;
}

ModelObject::~ModelObject()
{
    delete objectList;
    delete rootPart;
    clearPolygons();
    for (Texture& t : textures) releaseImages(t);
}

void ModelObject::clearPolygons()
{
    for (RenderPolygon* p : polygons) delete p;
    polygons.reset();
}

ModelDocument::ModelDocument()
{
    rotationOrder = 1;
    local.light[0] = 127;
    local.light[1] = 180;
    local.light[2] = 127;
    place(0.0f, 0.0f, -175.0f, 0.0f, 0.0f, 0.0f);
}

ModelDocument::~ModelDocument() { clearObjects(); }

void ModelDocument::clearObjects()
{
    for (ModelObject* o : objects) delete o;
    objects.reset();
}

namespace {

void appendSubtree(ModelPart* part, PointerList<ModelPart>& out)
{
    for (ModelPart* c : part->children) {
        out.append(c);
        appendSubtree(c, out);
    }
}

void claimVertices(ModelObject& object, ModelPart* part, GMTBL& table, PointerList<ModelObject>* list)
{
    const int vertexCount = object.vertices.count();
    for (const Face& f : part->faces)
        for (int k = 0; k < 4; ++k) {
            int i = f.index(k);
            if (i >= 0 && i < vertexCount) object.vertices[i].owner = &part->world;
        }
    for (int i = part->objects.count() - 1; i >= 0; --i) prepare(*part->objects[i], table, list);
    for (ModelPart* c : part->children) claimVertices(object, c, table, list);
}

} // namespace

void prepare(ModelObject& object, GMTBL& table, PointerList<ModelObject>* list)
{
    object.rebuild();
    object.partList.reset();

    for (const Material& m : object.materials) {
        Texture* t = object.textures.at(m.texture);
        if (!t) continue;
        t->red = m.red;
        t->green = m.green;
        t->blue = m.blue;
        t->ambient = m.ambient;
        t->diffuse = m.diffuse;
        t->specular = m.specular;
    }
    for (Texture& t : object.textures)
        for (int i = 0; i < t.patternCount && i < maxPatterns; ++i)
            if (!checkPattern(t, t.files[i], table)) break;
    for (Material& m : object.materials)
        m.shade = table.getm(m.red, m.green, m.blue, m.ambient, m.diffuse, m.specular);

    object.partList.append(object.rootPart);
    appendSubtree(object.rootPart, object.partList);

    if (list) {
        list->appendUnique(&object);
    } else if (object.objectList) {
        list = object.objectList;
        list->reset();
        list->append(&object);
    } else {
        return;
    }
    claimVertices(object, object.rootPart, table, list);
}

ModelPart* parentOf(const ModelObject& object, const ModelPart* part)
{
    PointerList<ModelPart> stack;
    stack.append(object.rootPart);
    while (stack.count() > 0) {
        ModelPart* p = stack[stack.count() - 1];
        stack.removeAt(stack.count() - 1);
        for (ModelPart* c : p->children) {
            if (c == part) return p;
            stack.append(c);
        }
    }
    return nullptr;
}

void collectParts(ModelPart* part, PointerList<ModelPart>& out, const ModelPart* leaveOut)
{
    if (!part || part == leaveOut) return;
    out.append(part);
    for (ModelPart* c : part->children) collectParts(c, out, leaveOut);
}

} // namespace quillo
