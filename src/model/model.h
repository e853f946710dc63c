// The in-memory model: a document of objects, each a tree of parts with
// quad faces over one vertex table, plus colour and texture tables.
#pragma once

#include <cstdint>

#include "record_array.h"

namespace quillo {

class GMTBL;

// The global grid step in model units. Integer grid coordinates are
// trunc(coordinate / dt). Files may change it; there is one for the program.
extern float dt;
constexpr float defaultGridStep = 0.0125f;

constexpr int nameSize = 80;  // 79 bytes and a NUL
constexpr int pathSize = 260; // 259 bytes and a NUL
constexpr int maxPatterns = 64;

// A fixed-point transform: rotation rows with 11 fractional bits (2048 = 1),
// translation in grid units, and the light direction in this frame (unit
// length 255). A point is a row vector: p' = p x rotation + translation.
struct TransformBlock {
    int32_t m[3][3];
    int32_t t[3];
    int32_t light[3];
};

// Common base of the view, objects and parts. Angles: a about X, b about Z,
// c about Y, in radians.
class ModelNode {
public:
    ModelNode();
    virtual ~ModelNode() = default;
    ModelNode(const ModelNode&) = delete;
    ModelNode& operator=(const ModelNode&) = delete;

    // Recomputes `local` from sinCos, rotationOrder and position.
    virtual void rebuild();
    // Stores position and angles, recomputes sinCos, then rebuilds.
    void place(float x, float y, float z, float a, float b, float c);
    // Back to the identity with zero position and angles.
    void resetNode();

    TransformBlock local;
    int32_t rotationOrder = 0;
    float position[3];
    float angles[3];
    int32_t sinCos[6]; // sin a, cos a, sin b, cos b, sin c, cos c (x 2048)
    int32_t lightScratch[3];

protected:
    // The rotation of `local` from sinCos in rotationOrder.
    void buildRotation();
    // position in grid units, trunc(position * (1 / dt)).
    void gridPosition(int32_t p[3]) const;
};

// A quad face. Indices into the object's vertex table, in winding order;
// a triangle repeats an index.
struct Face {
    int32_t vertexA, vertexB, vertexC, vertexD;
    int32_t doubleSided; // drawn from both sides
    int32_t altDiagonal; // 0: triangles ABD, BCD; 1: ABC, ACD
    int32_t material;    // -1 or out of range: none
    int32_t twistFix;    // left out of normal smoothing

    int32_t index(int k) const { return (&vertexA)[k]; }
    int32_t& index(int k) { return (&vertexA)[k]; }
};

// The same face: equal indices after a cyclic rotation.
bool sameFace(const Face& a, const Face& b);

// A vertex: the position and flags are model data; the rest is the
// renderer's working state, recomputed at every redraw.
struct Vertex {
    float x, y, z;
    float nx, ny, nz;
    int32_t flagA, flagB;
    TransformBlock* owner; // world block of the part that last claimed it
    int32_t gx, gy, gz;    // grid coordinates
    int32_t vx, vy;        // view space, grid units
    int32_t vz;            // view z, then its reciprocal 2^28 / z ("rz")
    int32_t sx, sy;        // screen position, 0x80000 when behind the eye
    int32_t light;
    int32_t inx, iny, inz; // normal x 255
    int32_t u, v, colourValue;
    TransformBlock* ownerCopy;
};

// A vertex at (x, y, z) with every other field zero.
Vertex makeVertex(float x, float y, float z);

struct Material {
    int32_t red, green, blue;
    float ambient, diffuse, specular;
    int32_t texture; // -1: untextured
    int32_t shade;   // index in the colour table, set by prepare
};

Material defaultMaterial();
// Same colour and coefficients (reals compared as numbers), texture ignored.
bool sameColour(const Material& a, const Material& b);

enum TexturePlane : int32_t { planeXY = 0, planeZY = 2, planeXZ = 4 };

// A texel image: `height` row pointers into one block of width x height
// texels, each a colour-table index x 64. Allocated as one block.
using TexelImage = int32_t**;

struct Texture {
    char files[maxPatterns][pathSize];
    int32_t width, height;
    int32_t patternCount;
    int32_t currentPattern;
    int32_t red, green, blue;
    float ambient, diffuse, specular;
    TexelImage images[maxPatterns]; // owned
    TexelImage currentImage;
    int32_t plane;
    char name[256];
    int32_t x0, y0, x1, y1; // mapped rectangle, grid units
};

// A zeroed texture record.
Texture makeTexture();
void releaseImages(Texture& texture);

// Base of the renderer's drawable polygons; objects own theirs.
class RenderPolygon {
public:
    virtual ~RenderPolygon() = default;
};

class ModelObject;

class ModelPart : public ModelNode {
public:
    explicit ModelPart(bool child);
    ~ModelPart() override;
    void rebuild() override;
    // Destroys embedded objects and child parts, empties the tables,
    // resets the node and the name.
    void clear();

    Records<Face> faces;
    PointerList<ModelPart> children;   // owned
    PointerList<ModelObject> objects;  // owned, embedded objects
    char name[nameSize] = {};
    TransformBlock world;
    bool child; // a child part rotates about its position (pivot)
};

class ModelObject : public ModelNode {
public:
    // Top-level objects keep a list of themselves and their embedded objects.
    explicit ModelObject(bool withObjectList);
    ~ModelObject() override;

    Records<Vertex> vertices;
    char name[nameSize] = {};
    ModelPart* rootPart;               // owned, always present
    PointerList<ModelPart> partList;   // root, then each subtree in pre-order
    Records<Material> materials;
    Records<Texture> textures;
    PointerList<ModelObject>* objectList = nullptr; // owned, top-level only
    TransformBlock world;
    PointerList<RenderPolygon> polygons; // owned

    void clearPolygons();
};

// The open model, held by the view (camera) node.
class ModelDocument : public ModelNode {
public:
    ModelDocument();
    ~ModelDocument() override;
    void rebuild() override;
    // Destroys every object.
    void clearObjects();

    PointerList<ModelObject> objects; // owned, file order
    int32_t zoom = 256;               // 256 = 1.0
};

// Readies an object for drawing after loading or editing: rebuilds its node,
// its part list and object list, registers its colours (and, through the
// pattern check, its texel colours) in `table`, and sets vertex owners.
void prepare(ModelObject& object, GMTBL& table, PointerList<ModelObject>* list = nullptr);

// The part whose children contain `part`, searched from the object's root.
ModelPart* parentOf(const ModelObject& object, const ModelPart* part);
// `part` and all its descendants in pre-order, without `leaveOut` and its
// subtree (to offer new parents without making cycles).
void collectParts(ModelPart* part, PointerList<ModelPart>& out, const ModelPart* leaveOut = nullptr);

// The snapping bias: 0.2 x dt away from zero.
float snap(float value);

} // namespace quillo
