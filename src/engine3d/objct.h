// The models of the engine: an OBJCT per loaded object with its vertex,
// material and texture tables and its part tree of PARTs (the root) and
// JOINTs (every part below it, turning about a pivot), objects nested in
// parts, and the two chains of vertex batches that draw it.
#pragma once

#include <memory>

#include "block.h"
#include "exbc.h"
#include "model/model.h"
#include "model/record_array.h"
#include "texture_entry.h"

namespace quillo::engine3d {

// A vertex of an object: position and smoothed normal in the object's own
// coordinates, the two flags, and the matrix handle of the part whose face
// last claimed it.
struct Vertex {
    float x, y, z;
    float nx, ny, nz;
    int32_t flagA, flagB;
    MatrixHandle owner;
};

// A colour of an object: the model's values and the device material made
// from them (and its texture) by prepare.
struct Material {
    int32_t red, green, blue;
    float ambient, diffuse, specular;
    int32_t texture; // index into the object's textures, -1 none
    MaterialHandle handle;
};

using quillo::Face;

class OBJCT;

class PART : public BLOCK {
public:
    explicit PART(Device& device) : BLOCK(device) {}
    ~PART() override;

    Records<Face> faces;
    PointerList<PART> children;    // owned, file order
    PointerList<OBJCT> subObjects; // owned, objects nested in this part
    char name[80] = {};
    Mat4 world = identityMatrix();
};

// A part below the root: it turns about its pivot (the position, fixed by
// the model file); only its angles are posed.
class JOINT : public PART {
public:
    JOINT(Device& device, float pivotX, float pivotY, float pivotZ);
    // Rotation, translation row p - p * R.
    void rebuild() override;
    // Angles only; the position arguments are ignored.
    void place(float x, float y, float z, float a, float b, float c) override;
    int32_t poseSize() const override { return 12; }
    bool storePose(PoseWriter& out) const override;
    bool loadPose(PoseReader& in) override;
    bool blendPose(PoseWriter& out, PoseReader& a, PoseReader& b) override;
};

class OBJCT : public BLOCK {
public:
    // Top-level objects keep the list of the model's objects.
    OBJCT(Device& device, bool withObjectList);
    ~OBJCT() override;

    Records<Vertex> vertices;
    char name[80] = {};
    PART* rootPart;                          // owned, always present
    PointerList<PART> partList;              // root, then every part below in pre-order
    Records<Material> materials;
    Records<TextureEntry> textures;          // pattern surfaces owned
    PointerList<OBJCT>* objectList = nullptr; // owned list (not its objects), top-level only
    Mat4 world = identityMatrix();
    std::unique_ptr<EXBC> exbc;
    std::unique_ptr<EXBC2> exbc2;
    void* currentMotion = nullptr; // the motion the animation code plays on this object
    int32_t motionFrameIndex = 0;
};

// Sum of poseSize over the object and every part in partList: the bytes a
// pose of the object takes in a motion record.
int32_t objectPoseSize(const OBJCT& object);

// World matrices down the part tree: part.world = part.matrix * parent,
// loaded into the part's handle; then each nested object (last first)
// chained to the part and recursed into; then each child (last first).
void updateWorld(PART& part, const Mat4& parent);
// The same for a top-level object, its own matrix being the parent of its root.
void updateWorld(OBJCT& object);

// Every object of the model's object list, batches then bridging batches.
void drawModel(OBJCT& top, Device& device, DirtyRects& dirty);

} // namespace quillo::engine3d
