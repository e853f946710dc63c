// The 3D device the engine draws through: matrix, material and texture
// handles, a viewport with a background, one directional light plus the
// ambient colour, render states, scenes, clearing, and the execution of
// batches of vertex groups and indexed triangle lists that report the
// screen rectangle they drew. Handles are never 0; 0 means none.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mat4.h"
#include "surface.h"

namespace quillo::engine3d {

using MatrixHandle = uint32_t;
using MaterialHandle = uint32_t;
using TextureHandle = uint32_t;

struct Colour {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
    bool operator==(const Colour&) const = default;
};

struct MaterialDesc {
    Colour diffuse, ambient, specular;
    float power = 0.0f;
    TextureHandle texture = 0;
    int32_t rampSize = 0; // kept for the colour-ramp devices; RGB devices ignore it
};

// A directional light: `direction` is where the light travels.
struct LightDesc {
    Colour colour;
    Vec3f direction;
};

// Screen scale and clip range: a view-space point (x, y, z) lands at
// (x0 + width / 2 + x / z * scale, y0 + height / 2 + y / z * scale) after the
// projection, which turns y over so that +y is down.
struct ViewportDesc {
    int32_t x = 0, y = 0, width = 0, height = 0;
    float scale = 1.0f;
    float maxX = 1.0f, maxY = 1.0f;
};

struct RenderStates {
    bool gouraud = true;            // else flat: the first vertex's colour
    bool perspectiveCorrect = true; // else affine texture mapping
    bool dither = false;            // no effect on an 8-bit-per-channel target
    bool specular = true;
    bool zEnable = true;
    bool zWrite = true;
};

// An inclusive pixel rectangle; empty when x2 < x1 or y2 < y1.
struct Rect {
    int32_t x1 = 0, y1 = 0, x2 = -1, y2 = -1;
    bool empty() const { return x2 < x1 || y2 < y1; }
    bool operator==(const Rect&) const = default;
};

// Position, normal and texture coordinates: 32 bytes, as execute buffers hold them.
struct DeviceVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(DeviceVertex) == 32);

// A range of a batch's vertices transformed and lit with one world matrix.
struct VertexGroup {
    MatrixHandle world = 0;
    uint32_t first = 0, count = 0;
};

// Triangles of one material: its vertex groups are lit with the material,
// then its triangles (three indices into the batch's vertices) are drawn
// with its texture.
struct TriangleList {
    MaterialHandle material = 0;
    TextureHandle texture = 0;
    std::vector<VertexGroup> groups;
    std::vector<uint16_t> indices;
};

struct ExecuteBatch {
    std::vector<DeviceVertex> vertices;
    std::vector<TriangleList> lists;
};

// A batch executed while measuring: the rectangle that holds everything it
// would draw, and a signature of all its drawing depends on (vertices,
// world matrices, materials, texture pixels, view, light, states, viewport).
struct MeasuredBatch {
    const ExecuteBatch* batch;
    Rect extent;
    uint64_t signature;
};

struct DeviceInfo {
    std::string description;
    bool hardware = false;
    uint32_t maxVertexCount = 0; // 0: no limit reported
};

// The XRGB8888 render target.
struct Target {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

enum class TransformKind { view, projection };

class Device {
public:
    virtual ~Device() = default;
    virtual DeviceInfo info() const = 0;

    // (Re)creates the render target and Z buffer; false when the size cannot be made.
    virtual bool createTarget(int32_t width, int32_t height) = 0;
    virtual const Target& target() const = 0;

    virtual MatrixHandle createMatrix() = 0;
    virtual bool setMatrix(MatrixHandle handle, const Mat4& matrix) = 0;
    virtual bool getMatrix(MatrixHandle handle, Mat4& matrix) const = 0;
    virtual bool deleteMatrix(MatrixHandle handle) = 0;
    // The view and projection in force for every execute: the handles' contents at that time.
    virtual bool setTransform(TransformKind kind, MatrixHandle handle) = 0;

    virtual MaterialHandle createMaterial(const MaterialDesc& desc) = 0;
    virtual bool releaseMaterial(MaterialHandle handle) = 0;

    // A texture from a surface's pixels; its handle stays when new pixels of
    // the same size are loaded into it.
    virtual TextureHandle createTexture(const Surface& surface) = 0;
    virtual bool loadTexture(TextureHandle handle, const Surface& surface) = 0;
    virtual bool releaseTexture(TextureHandle handle) = 0;

    virtual bool setViewport(const ViewportDesc& viewport) = 0;
    // The material whose colour (and texture, stretched over the viewport) clearing paints.
    virtual bool setBackground(MaterialHandle material) = 0;
    virtual void setAmbient(uint32_t argb) = 0;
    // Null removes the light.
    virtual bool setLight(const LightDesc* light) = 0;
    virtual void setRenderStates(const RenderStates& states) = 0;

    virtual bool beginScene() = 0;
    virtual bool endScene() = 0;
    // Rectangles are clipped to the target.
    virtual bool clearTarget(const Rect& rect) = 0;
    virtual bool clearDepth(const Rect& rect) = 0;
    // Copies a surface onto the target at (x, y), black pixels left out
    // (the text line's colour key); clipped to the target.
    virtual bool blitKeyed(const Surface& surface, int32_t x, int32_t y) = 0;
    // Draws the batch; `extent` is the screen rectangle drawn (empty for nothing).
    virtual bool execute(const ExecuteBatch& batch, Rect& extent) = 0;

    // Drawing only what changed: between beginMeasure and endMeasure,
    // `execute` draws nothing, reports the rectangle the batch would draw
    // and notes the batch in `measured`. Clip rectangles, while set, bound
    // what `execute` draws, and a batch measured since whose rectangle
    // touches none of them is passed over.
    virtual void beginMeasure() = 0;
    virtual void endMeasure() = 0;
    virtual const std::vector<MeasuredBatch>& measured() const = 0;
    virtual void setClipRects(const std::vector<Rect>* rects) = 0;
};

// The devices this build offers, in table order; entry 0 is the software device.
struct DeviceTableEntry {
    DeviceInfo info;
    std::unique_ptr<Device> (*create)();
};
const std::vector<DeviceTableEntry>& deviceTable();

} // namespace quillo::engine3d
