// The software device: an XRGB8888 target with a float Z buffer, vertex
// transformation and lighting in float32, near-plane and guard-band
// clipping in clip space, and the fixed-point triangle filler. Headless and
// deterministic: the same calls give the same pixels.
#pragma once

#include <unordered_map>
#include <vector>

#include "device.h"
#include "triangle_raster.h"

namespace quillo::engine3d {

class SoftwareDevice : public Device {
public:
    // Largest side of the target; larger requests fail like a device that
    // cannot make the surface.
    static constexpr int32_t maxSide = 16384;
    static constexpr uint32_t maxVertices = 65536;

    DeviceInfo info() const override;
    bool createTarget(int32_t width, int32_t height) override;
    const Target& target() const override { return target_; }

    MatrixHandle createMatrix() override;
    bool setMatrix(MatrixHandle handle, const Mat4& matrix) override;
    bool getMatrix(MatrixHandle handle, Mat4& matrix) const override;
    bool deleteMatrix(MatrixHandle handle) override;
    bool setTransform(TransformKind kind, MatrixHandle handle) override;

    MaterialHandle createMaterial(const MaterialDesc& desc) override;
    bool releaseMaterial(MaterialHandle handle) override;

    TextureHandle createTexture(const Surface& surface) override;
    bool loadTexture(TextureHandle handle, const Surface& surface) override;
    bool releaseTexture(TextureHandle handle) override;

    bool setViewport(const ViewportDesc& viewport) override;
    bool setBackground(MaterialHandle material) override;
    void setAmbient(uint32_t argb) override;
    bool setLight(const LightDesc* light) override;
    void setRenderStates(const RenderStates& states) override { states_ = states; }

    bool beginScene() override;
    bool endScene() override;
    bool clearTarget(const Rect& rect) override;
    bool clearDepth(const Rect& rect) override;
    bool blitKeyed(const Surface& surface, int32_t x, int32_t y) override;
    bool execute(const ExecuteBatch& batch, Rect& extent) override;
    void beginMeasure() override;
    void endMeasure() override;
    const std::vector<MeasuredBatch>& measured() const override { return measured_; }
    void setClipRects(const std::vector<Rect>* rects) override { clipRects_ = rects; }

    const std::vector<float>& depth() const { return depth_; }
    const RenderStates& states() const { return states_; }

private:
    // A vertex after transformation and lighting, in clip space.
    struct ClipVertex {
        float c[4];
        float col[3];
        float specular[3];
        float u, v;
    };
    template <class T>
    struct Slot {
        bool alive = false;
        T value{};
    };

    const Mat4* matrix(MatrixHandle h) const;
    const MaterialDesc* material(MaterialHandle h) const;
    const Surface* texture(TextureHandle h) const;
    Rect clipped(const Rect& r) const;
    void lightGroup(const ExecuteBatch& batch, const VertexGroup& group, const MaterialDesc& m,
                    const Mat4& viewProjection, const Vec3f& eye);
    void drawTriangle(const ClipVertex* v[3], RasterState& state, Rect& extent);
    uint64_t signature(const ExecuteBatch& batch) const;
    RasterVertex toScreen(const ClipVertex& v, bool perspective) const;
    static bool backFacing(const ClipVertex* v[3]);

    Target target_;
    std::vector<float> depth_;
    std::vector<Slot<Mat4>> matrices_;
    std::vector<Slot<MaterialDesc>> materials_;
    std::vector<Slot<Surface>> textures_;
    MatrixHandle view_ = 0, projection_ = 0;
    ViewportDesc viewport_;
    MaterialHandle background_ = 0;
    Colour ambient_;
    bool lightOn_ = false;
    LightDesc light_;
    RenderStates states_;
    bool inScene_ = false;
    std::vector<ClipVertex> processed_;
    std::vector<char> lit_;
    std::vector<uint64_t> textureVersions_; // per texture slot, changed by every load
    uint64_t nextVersion_ = 1;
    bool measuring_ = false;
    std::vector<MeasuredBatch> measured_;
    std::unordered_map<const ExecuteBatch*, Rect> measuredExtent_;
    const std::vector<Rect>* clipRects_ = nullptr;
    std::vector<Rect> clips_; // this execute's clip rectangles within the viewport
};

} // namespace quillo::engine3d
