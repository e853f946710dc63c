#include "software_device.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dirty_rects.h"

namespace quillo::engine3d {

namespace {

// Pixels beyond the viewport that a clipped triangle may still reach before
// the rasteriser's own clip: keeps the fixed-point coordinates small.
constexpr float guardBand = 2048.0f;

template <class T>
uint32_t addSlot(std::vector<T>& slots)
{
    for (size_t i = 0; i < slots.size(); ++i)
        if (!slots[i].alive) {
            slots[i].alive = true;
            return uint32_t(i + 1);
        }
    slots.emplace_back();
    slots.back().alive = true;
    return uint32_t(slots.size());
}

template <class T>
T* slotValue(std::vector<T>& slots, uint32_t h)
{
    if (h == 0 || h > slots.size() || !slots[h - 1].alive) return nullptr;
    return &slots[h - 1];
}

float dot(const Vec3f& a, const Vec3f& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3f normalised(const Vec3f& v)
{
    const float l = std::sqrt(dot(v, v));
    if (!(l > 0.0f)) return {0.0f, 0.0f, 0.0f};
    return {v.x / l, v.y / l, v.z / l};
}

bool finite(const float* v, int n)
{
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

} // namespace

DeviceInfo SoftwareDevice::info() const { return {"Quillo software rasteriser", false, maxVertices}; }

bool SoftwareDevice::createTarget(int32_t width, int32_t height)
{
    if (width < 1 || height < 1 || width > maxSide || height > maxSide) return false;
    target_.width = width;
    target_.height = height;
    target_.pixels.assign(size_t(width) * size_t(height), 0);
    depth_.assign(size_t(width) * size_t(height), 1.0f);
    return true;
}

MatrixHandle SoftwareDevice::createMatrix()
{
    const MatrixHandle h = addSlot(matrices_);
    matrices_[h - 1].value = identityMatrix();
    return h;
}

bool SoftwareDevice::setMatrix(MatrixHandle handle, const Mat4& m)
{
    auto* slot = slotValue(matrices_, handle);
    if (!slot) return false;
    slot->value = m;
    return true;
}

bool SoftwareDevice::getMatrix(MatrixHandle handle, Mat4& m) const
{
    const Mat4* p = matrix(handle);
    if (!p) return false;
    m = *p;
    return true;
}

bool SoftwareDevice::deleteMatrix(MatrixHandle handle)
{
    auto* slot = slotValue(matrices_, handle);
    if (!slot) return false;
    slot->alive = false;
    if (view_ == handle) view_ = 0;
    if (projection_ == handle) projection_ = 0;
    return true;
}

bool SoftwareDevice::setTransform(TransformKind kind, MatrixHandle handle)
{
    if (!matrix(handle)) return false;
    (kind == TransformKind::view ? view_ : projection_) = handle;
    return true;
}

MaterialHandle SoftwareDevice::createMaterial(const MaterialDesc& desc)
{
    const MaterialHandle h = addSlot(materials_);
    materials_[h - 1].value = desc;
    return h;
}

bool SoftwareDevice::releaseMaterial(MaterialHandle handle)
{
    auto* slot = slotValue(materials_, handle);
    if (!slot) return false;
    slot->alive = false;
    if (background_ == handle) background_ = 0;
    return true;
}

TextureHandle SoftwareDevice::createTexture(const Surface& surface)
{
    if (surface.emptySurface() || surface.pixels.size() != size_t(surface.width) * size_t(surface.height)) return 0;
    const TextureHandle h = addSlot(textures_);
    textures_[h - 1].value = surface;
    textureVersions_.resize(textures_.size(), 0);
    textureVersions_[h - 1] = nextVersion_++;
    return h;
}

bool SoftwareDevice::loadTexture(TextureHandle handle, const Surface& surface)
{
    auto* slot = slotValue(textures_, handle);
    if (!slot || surface.width != slot->value.width || surface.height != slot->value.height ||
        surface.pixels.size() != slot->value.pixels.size())
        return false;
    slot->value.pixels = surface.pixels;
    textureVersions_[handle - 1] = nextVersion_++;
    return true;
}

bool SoftwareDevice::releaseTexture(TextureHandle handle)
{
    auto* slot = slotValue(textures_, handle);
    if (!slot) return false;
    slot->alive = false;
    slot->value = Surface();
    return true;
}

bool SoftwareDevice::setViewport(const ViewportDesc& viewport)
{
    if (viewport.width < 1 || viewport.height < 1 || !(viewport.scale > 0.0f) || !std::isfinite(viewport.scale))
        return false;
    viewport_ = viewport;
    return true;
}

bool SoftwareDevice::setBackground(MaterialHandle handle)
{
    if (handle != 0 && !material(handle)) return false;
    background_ = handle;
    return true;
}

void SoftwareDevice::setAmbient(uint32_t argb)
{
    ambient_ = {float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f, float(argb & 0xFF) / 255.0f,
                float(argb >> 24) / 255.0f};
}

bool SoftwareDevice::setLight(const LightDesc* light)
{
    lightOn_ = light != nullptr;
    if (light) light_ = *light;
    return true;
}

bool SoftwareDevice::beginScene()
{
    if (inScene_) return false;
    inScene_ = true;
    return true;
}

bool SoftwareDevice::endScene()
{
    if (!inScene_) return false;
    inScene_ = false;
    return true;
}

const Mat4* SoftwareDevice::matrix(MatrixHandle h) const
{
    auto* slot = slotValue(const_cast<std::vector<Slot<Mat4>>&>(matrices_), h);
    return slot ? &slot->value : nullptr;
}

const MaterialDesc* SoftwareDevice::material(MaterialHandle h) const
{
    auto* slot = slotValue(const_cast<std::vector<Slot<MaterialDesc>>&>(materials_), h);
    return slot ? &slot->value : nullptr;
}

const Surface* SoftwareDevice::texture(TextureHandle h) const
{
    auto* slot = slotValue(const_cast<std::vector<Slot<Surface>>&>(textures_), h);
    return slot ? &slot->value : nullptr;
}

Rect SoftwareDevice::clipped(const Rect& r) const
{
    return Rect{std::max(r.x1, 0), std::max(r.y1, 0), std::min(r.x2, target_.width - 1),
                std::min(r.y2, target_.height - 1)};
}

bool SoftwareDevice::clearTarget(const Rect& rect)
{
    const Rect r = clipped(rect);
    if (r.empty()) return true;
    const MaterialDesc* m = material(background_);
    const Surface* image = m ? texture(m->texture) : nullptr;
    const uint32_t colour = m ? packColour(m->diffuse.r, m->diffuse.g, m->diffuse.b) : 0;
    for (int32_t y = r.y1; y <= r.y2; ++y) {
        uint32_t* row = target_.pixels.data() + size_t(y) * size_t(target_.width);
        if (!image) {
            std::fill(row + r.x1, row + r.x2 + 1, colour);
            continue;
        }
        // The background picture is stretched over the viewport, nearest texel.
        const int64_t vy = std::clamp<int64_t>(y - viewport_.y, 0, std::max(viewport_.height, 1) - 1);
        const int32_t ty = int32_t(vy * image->height / std::max(viewport_.height, 1));
        for (int32_t x = r.x1; x <= r.x2; ++x) {
            const int64_t vx = std::clamp<int64_t>(x - viewport_.x, 0, std::max(viewport_.width, 1) - 1);
            const int32_t tx = int32_t(vx * image->width / std::max(viewport_.width, 1));
            const uint32_t t = image->at(tx, ty);
            row[x] = packColour(m->diffuse.r * float((t >> 16) & 0xFF) / 255.0f,
                                m->diffuse.g * float((t >> 8) & 0xFF) / 255.0f,
                                m->diffuse.b * float(t & 0xFF) / 255.0f);
        }
    }
    return true;
}

bool SoftwareDevice::clearDepth(const Rect& rect)
{
    const Rect r = clipped(rect);
    for (int32_t y = r.y1; y <= r.y2; ++y) {
        float* row = depth_.data() + size_t(y) * size_t(target_.width);
        std::fill(row + r.x1, row + r.x2 + 1, 1.0f);
    }
    return true;
}

bool SoftwareDevice::blitKeyed(const Surface& surface, int32_t x, int32_t y)
{
    if (surface.pixels.size() != size_t(surface.width) * size_t(surface.height)) return false;
    for (int32_t sy = 0; sy < surface.height; ++sy) {
        const int64_t ty = int64_t(y) + sy;
        if (ty < 0 || ty >= target_.height) continue;
        for (int32_t sx = 0; sx < surface.width; ++sx) {
            const int64_t tx = int64_t(x) + sx;
            const uint32_t p = surface.at(sx, sy);
            if (tx >= 0 && tx < target_.width && p != 0) target_.pixels[size_t(ty) * size_t(target_.width) + size_t(tx)] = p;
        }
    }
    return true;
}

void SoftwareDevice::lightGroup(const ExecuteBatch& batch, const VertexGroup& group, const MaterialDesc& m,
                                const Mat4& viewProjection, const Vec3f& eye)
{
    const Mat4* world = matrix(group.world);
    if (!world) return;
    const Mat4 full = *world * viewProjection;
    const Vec3f toLight = lightOn_ ? normalised({-light_.direction.x, -light_.direction.y, -light_.direction.z})
                                   : Vec3f{0.0f, 0.0f, 0.0f};
    const uint64_t end = std::min<uint64_t>(uint64_t(group.first) + group.count, batch.vertices.size());
    for (uint64_t i = group.first; i < end; ++i) {
        const DeviceVertex& in = batch.vertices[i];
        ClipVertex& out = processed_[i];
        for (int k = 0; k < 4; ++k)
            out.c[k] = in.x * full.m[0][k] + in.y * full.m[1][k] + in.z * full.m[2][k] + full.m[3][k];
        out.u = in.u;
        out.v = in.v;
        lit_[i] = 1;
        if (measuring_) { // only where it lands matters
            out.col[0] = out.col[1] = out.col[2] = out.specular[0] = out.specular[1] = out.specular[2] = 0.0f;
            continue;
        }
        const Vec3f n = transformNormal({in.nx, in.ny, in.nz}, *world);
        const float lambert = lightOn_ ? std::max(0.0f, dot(n, toLight)) : 0.0f;
        const float lc[3] = {light_.colour.r, light_.colour.g, light_.colour.b};
        const float amb[3] = {ambient_.r, ambient_.g, ambient_.b};
        const float md[3] = {m.diffuse.r, m.diffuse.g, m.diffuse.b};
        const float ma[3] = {m.ambient.r, m.ambient.g, m.ambient.b};
        const float ms[3] = {m.specular.r, m.specular.g, m.specular.b};
        float highlight = 0.0f;
        if (lightOn_ && states_.specular && lambert > 0.0f && m.power > 0.0f) {
            const Vec3f p = transformPoint({in.x, in.y, in.z}, *world);
            const Vec3f view = normalised({eye.x - p.x, eye.y - p.y, eye.z - p.z});
            const Vec3f half = normalised({view.x + toLight.x, view.y + toLight.y, view.z + toLight.z});
            const float nh = dot(n, half);
            if (nh > 0.0f) highlight = std::pow(nh, m.power);
        }
        for (int k = 0; k < 3; ++k) {
            out.col[k] = std::clamp(ma[k] * amb[k] + md[k] * (lightOn_ ? lc[k] : 0.0f) * lambert, 0.0f, 1.0f);
            out.specular[k] = std::clamp(ms[k] * lc[k] * highlight, 0.0f, 1.0f);
        }
    }
}

RasterVertex SoftwareDevice::toScreen(const ClipVertex& v, bool perspective) const
{
    const float invW = 1.0f / v.c[3];
    RasterVertex r;
    r.x = snapToSubpixel(float(viewport_.x) + float(viewport_.width) * 0.5f + v.c[0] * invW * viewport_.scale);
    r.y = snapToSubpixel(float(viewport_.y) + float(viewport_.height) * 0.5f - v.c[1] * invW * viewport_.scale);
    r.z = v.c[2] * invW;
    r.invW = invW;
    r.r = v.col[0], r.g = v.col[1], r.b = v.col[2];
    r.sr = v.specular[0], r.sg = v.specular[1], r.sb = v.specular[2];
    r.uw = perspective ? v.u * invW : v.u;
    r.vw = perspective ? v.v * invW : v.v;
    return r;
}

// The model editor's test: on screen (y down) a face is seen when
// (A - B) x (C - B) >= 0. Taken on the clip-space vertices, so that it also
// holds for triangles that cross the near plane: det[x y w] has the sign of
// that cross product divided by the three w.
bool SoftwareDevice::backFacing(const ClipVertex* v[3])
{
    auto at = [&](int i, int k) { return double(v[i]->c[k]); };
    const double det = at(0, 0) * (at(1, 1) * at(2, 3) - at(1, 3) * at(2, 1)) -
                       at(0, 1) * (at(1, 0) * at(2, 3) - at(1, 3) * at(2, 0)) +
                       at(0, 3) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0));
    return det < 0.0;
}

void SoftwareDevice::drawTriangle(const ClipVertex* tri[3], RasterState& state, Rect& extent)
{
    // Planes as distances that are >= 0 inside: near (z = 30), then the guard band.
    const float gx = (float(viewport_.width) * 0.5f + guardBand) / viewport_.scale;
    const float gy = (float(viewport_.height) * 0.5f + guardBand) / viewport_.scale;
    auto distance = [&](const ClipVertex& v, int plane) {
        switch (plane) {
        case 0: return v.c[2];
        case 1: return gx * v.c[3] - v.c[0];
        case 2: return gx * v.c[3] + v.c[0];
        case 3: return gy * v.c[3] - v.c[1];
        default: return gy * v.c[3] + v.c[1];
        }
    };
    ClipVertex buffers[2][12];
    int count = 3;
    for (int k = 0; k < 3; ++k) buffers[0][k] = *tri[k];
    int in = 0;
    for (int plane = 0; plane < 5 && count >= 3; ++plane) {
        bool allInside = true;
        for (int k = 0; k < count; ++k) allInside = allInside && distance(buffers[in][k], plane) >= 0.0f;
        if (allInside) continue;
        int outCount = 0;
        for (int k = 0; k < count; ++k) {
            const ClipVertex& p = buffers[in][k];
            const ClipVertex& q = buffers[in][(k + 1) % count];
            const float dp = distance(p, plane), dq = distance(q, plane);
            if (dp >= 0.0f) buffers[1 - in][outCount++] = p;
            if ((dp >= 0.0f) != (dq >= 0.0f)) {
                const float t = dp / (dp - dq);
                ClipVertex& r = buffers[1 - in][outCount++];
                for (int i = 0; i < 4; ++i) r.c[i] = p.c[i] + (q.c[i] - p.c[i]) * t;
                for (int i = 0; i < 3; ++i) {
                    r.col[i] = p.col[i] + (q.col[i] - p.col[i]) * t;
                    r.specular[i] = p.specular[i] + (q.specular[i] - p.specular[i]) * t;
                }
                r.u = p.u + (q.u - p.u) * t;
                r.v = p.v + (q.v - p.v) * t;
            }
        }
        count = outCount;
        in = 1 - in;
    }
    if (count < 3) return;
    RasterVertex screen[12];
    for (int k = 0; k < count; ++k) {
        if (!(buffers[in][k].c[3] > 0.0f)) return;
        screen[k] = toScreen(buffers[in][k], state.perspective);
    }
    if (measuring_) {
        // Every pixel the filler could cover lies within the vertices' box.
        int32_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
        for (int k = 0; k < count; ++k) {
            x0 = std::min(x0, screen[k].x), y0 = std::min(y0, screen[k].y);
            x1 = std::max(x1, screen[k].x), y1 = std::max(y1, screen[k].y);
        }
        const Rect box{int32_t(int64_t(x0) >> subpixelBits), int32_t(int64_t(y0) >> subpixelBits),
                       int32_t(int64_t(x1) >> subpixelBits), int32_t(int64_t(y1) >> subpixelBits)};
        const Rect& v = clips_.front();
        growRect(extent, Rect{std::max(box.x1, v.x1), std::max(box.y1, v.y1), std::min(box.x2, v.x2),
                              std::min(box.y2, v.y2)});
        return;
    }
    const RasterTarget planes{target_.pixels.data(), depth_.data(), target_.width, target_.height};
    for (const Rect& clip : clips_) {
        state.clip = clip;
        for (int k = 1; k + 1 < count; ++k) rasterTriangle(screen[0], screen[k], screen[k + 1], state, planes, extent);
    }
}

bool SoftwareDevice::execute(const ExecuteBatch& batch, Rect& extent)
{
    extent = Rect();
    const Mat4* view = matrix(view_);
    const Mat4* projection = matrix(projection_);
    if (!view || !projection || target_.pixels.empty()) return false;
    const Mat4 viewProjection = *view * *projection;
    // The eye in world coordinates: the view is rigid, eye = -t * R^T.
    const Mat4& v = *view;
    const Vec3f eye{-(v.m[3][0] * v.m[0][0] + v.m[3][1] * v.m[0][1] + v.m[3][2] * v.m[0][2]),
                    -(v.m[3][0] * v.m[1][0] + v.m[3][1] * v.m[1][1] + v.m[3][2] * v.m[1][2]),
                    -(v.m[3][0] * v.m[2][0] + v.m[3][1] * v.m[2][1] + v.m[3][2] * v.m[2][2])};

    if (!measuring_ && clipRects_) {
        // Measured this frame and clear of every clip rectangle: nothing to draw.
        auto it = measuredExtent_.find(&batch);
        if (it != measuredExtent_.end()) {
            bool touched = false;
            for (const Rect& r : *clipRects_) touched = touched || touches(r, it->second);
            if (!touched) return true;
        }
    }
    processed_.resize(batch.vertices.size());
    lit_.assign(batch.vertices.size(), 0);
    static const MaterialDesc noMaterial{};
    for (const TriangleList& list : batch.lists) {
        const MaterialDesc* m = material(list.material);
        for (const VertexGroup& g : list.groups) lightGroup(batch, g, m ? *m : noMaterial, viewProjection, eye);
    }

    RasterState state;
    state.gouraud = states_.gouraud;
    state.perspective = states_.perspectiveCorrect;
    state.specular = states_.specular;
    state.zEnable = states_.zEnable;
    state.zWrite = states_.zWrite;
    const Rect whole{viewport_.x, viewport_.y, viewport_.x + viewport_.width - 1, viewport_.y + viewport_.height - 1};
    clips_.clear();
    if (measuring_ || !clipRects_) {
        clips_.push_back(whole);
    } else {
        for (const Rect& r : *clipRects_) {
            const Rect c{std::max(r.x1, whole.x1), std::max(r.y1, whole.y1), std::min(r.x2, whole.x2),
                         std::min(r.y2, whole.y2)};
            if (!c.empty()) clips_.push_back(c);
        }
        if (clips_.empty()) return true;
    }
    for (const TriangleList& list : batch.lists) {
        state.texture = texture(list.texture);
        for (size_t i = 0; i + 2 < list.indices.size(); i += 3) {
            const ClipVertex* tri[3];
            bool usable = true;
            for (int k = 0; k < 3 && usable; ++k) {
                const uint16_t index = list.indices[i + size_t(k)];
                usable = index < batch.vertices.size() && lit_[index];
                if (usable) {
                    tri[k] = &processed_[index];
                    usable = finite(tri[k]->c, 4) && finite(tri[k]->col, 3) && finite(tri[k]->specular, 3) &&
                             std::isfinite(tri[k]->u) && std::isfinite(tri[k]->v);
                }
            }
            if (!usable) continue; // a vertex never processed, or not a number: dropped
            if (!backFacing(tri)) {
                state.flatColour = !states_.gouraud;
                for (int k = 0; k < 3; ++k) state.flat[k] = tri[0]->col[k];
                drawTriangle(tri, state, extent);
            }
        }
    }
    if (measuring_) {
        measured_.push_back({&batch, extent, signature(batch)});
        measuredExtent_[&batch] = extent;
    }
    return true;
}

void SoftwareDevice::beginMeasure()
{
    measuring_ = true;
    measured_.clear();
    measuredExtent_.clear();
}

void SoftwareDevice::endMeasure() { measuring_ = false; }

namespace {

// A 64-bit mix of plain bytes, a word at a time.
class Hasher {
public:
    void bytes(const void* data, size_t n)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (; n >= 8; n -= 8, p += 8) {
            uint64_t w;
            std::memcpy(&w, p, 8);
            mix(w);
        }
        uint64_t tail = 0;
        std::memcpy(&tail, p, n);
        mix(tail ^ (uint64_t(n) << 56));
    }
    template <class T>
    void value(const T& v)
    {
        bytes(&v, sizeof v);
    }
    uint64_t result() const { return h_; }

private:
    void mix(uint64_t w)
    {
        h_ = (h_ ^ w) * 0x9E3779B97F4A7C15ull;
        h_ ^= h_ >> 29;
    }
    uint64_t h_ = 0x243F6A8885A308D3ull;
};

} // namespace

uint64_t SoftwareDevice::signature(const ExecuteBatch& batch) const
{
    Hasher h;
    const Mat4 none{};
    h.value(matrix(view_) ? *matrix(view_) : none);
    h.value(matrix(projection_) ? *matrix(projection_) : none);
    h.value(lightOn_);
    h.value(light_);
    h.value(ambient_);
    h.value(states_);
    h.value(viewport_);
    h.bytes(batch.vertices.data(), batch.vertices.size() * sizeof(DeviceVertex));
    for (const TriangleList& list : batch.lists) {
        const MaterialDesc* m = material(list.material);
        h.value(m ? *m : MaterialDesc{});
        h.value(list.texture);
        h.value(list.texture > 0 && list.texture <= textureVersions_.size() ? textureVersions_[list.texture - 1] : 0);
        for (const VertexGroup& g : list.groups) {
            h.value(g);
            h.value(matrix(g.world) ? *matrix(g.world) : none);
        }
        h.bytes(list.indices.data(), list.indices.size() * sizeof(uint16_t));
    }
    return h.result();
}

} // namespace quillo::engine3d
