#include "objct.h"

namespace quillo::engine3d {

PART::~PART()
{
    for (OBJCT* o : subObjects) delete o;
    for (PART* p : children) delete p;
}

JOINT::JOINT(Device& device, float x, float y, float z) : PART(device)
{
    position[0] = x, position[1] = y, position[2] = z;
    rebuild();
    mkmatrix();
}

void JOINT::rebuild()
{
    buildRotation();
    const float x = position[0], y = position[1], z = position[2];
    const auto& m = matrix.m;
    matrix.m[3][0] = (1.0f - m[0][0]) * x - m[1][0] * y - m[2][0] * z;
    matrix.m[3][1] = (1.0f - m[1][1]) * y - m[0][1] * x - m[2][1] * z;
    matrix.m[3][2] = (1.0f - m[2][2]) * z - m[0][2] * x - m[1][2] * y;
}

void JOINT::place(float, float, float, float a, float b, float c)
{
    BLOCK::place(position[0], position[1], position[2], a, b, c);
}

bool JOINT::storePose(PoseWriter& out) const
{
    if (out.left() < 12) return false;
    for (int i = 0; i < 3; ++i) putFloat(out.at + 4 * i, angles[i]);
    out.at += 12;
    return true;
}

bool JOINT::loadPose(PoseReader& in)
{
    if (in.left() < 12) return false;
    const float a = getFloat(in.at), b = getFloat(in.at + 4), c = getFloat(in.at + 8);
    in.at += 12;
    place(0, 0, 0, a, b, c);
    return true;
}

bool JOINT::blendPose(PoseWriter& out, PoseReader& a, PoseReader& b)
{
    if (out.left() < 12 || a.left() < 12 || b.left() < 12) return false;
    blendAngles(out.at, a.at, b.at);
    out.at += 12;
    a.at += 12;
    b.at += 12;
    return true;
}

OBJCT::OBJCT(Device& device, bool withObjectList) : BLOCK(device), rootPart(new PART(device))
{
    if (withObjectList) objectList = new PointerList<OBJCT>();
}

OBJCT::~OBJCT()
{
    // The chains go before the parts whose handles they name.
    exbc.reset();
    exbc2.reset();
    for (TextureEntry& t : textures) releaseTextureEntry(device_, t);
    delete objectList;
    delete rootPart;
}

int32_t objectPoseSize(const OBJCT& object)
{
    int32_t size = object.poseSize();
    for (const PART* p : object.partList) size += p->poseSize();
    return size;
}

namespace {

void loadWorld(Device& device, MatrixHandle handle, const Mat4& world)
{
    if (handle != 0) device.setMatrix(handle, world);
}

} // namespace

void updateWorld(PART& part, const Mat4& parent)
{
    part.world = chainRigid(part.matrix, parent);
    loadWorld(part.device(), part.matrixHandle, part.world);
    for (int i = part.subObjects.count() - 1; i >= 0; --i) {
        OBJCT* s = part.subObjects[i];
        s->world = chainRigid(s->matrix, part.world);
        loadWorld(part.device(), s->matrixHandle, s->world);
        updateWorld(*s->rootPart, s->world);
    }
    for (int i = part.children.count() - 1; i >= 0; --i) updateWorld(*part.children[i], part.world);
}

void updateWorld(OBJCT& object)
{
    object.world = object.matrix;
    loadWorld(object.device(), object.matrixHandle, object.world);
    updateWorld(*object.rootPart, object.matrix);
}

void drawModel(OBJCT& top, Device& device, DirtyRects& dirty)
{
    if (!top.objectList) return;
    for (OBJCT* o : *top.objectList) {
        for (EXBC* link = o->exbc.get(); link; link = link->next.get()) link->draw(device, dirty);
        for (EXBC2* link = o->exbc2.get(); link; link = link->next.get()) link->draw(device, dirty);
    }
}

} // namespace quillo::engine3d
