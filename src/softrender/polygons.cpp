#include "polygons.h"

#include <algorithm>

#include "model/fixed_point.h"
#include "transform.h"

namespace quillo {

ClipCorner clipCorner(const Vertex& vertex, int32_t u, int32_t v)
{
    return ClipCorner{vertex.vx, vertex.vy, vertex.vz, vertex.light, vertex.sx, vertex.sy, u, v};
}

namespace {

RasterVertex rasterCorner(const ClipCorner& c) { return RasterVertex{c.sx, c.sy, c.rz, c.light, c.u, c.v}; }

// Q's value plus the fraction f of the way to P's.
int32_t between(int32_t q, int32_t p, double f) { return saturate32(int64_t(q) + truncToInt(f * (double(p) - q))); }

} // namespace

RasterVertex clipPoint(const ClipCorner& behind, const ClipCorner& inFront, const DrawTarget& target)
{
    constexpr int64_t one = int64_t(1) << 28;
    // An in-front corner with rz 0 lies beyond 2^28; take it as that far.
    const int64_t zq = inFront.rz > 0 ? one / inFront.rz : one;
    const int64_t zp = behind.rz != 0 ? one / behind.rz : 0;
    const double f = zq > zp ? double(zq - 512) / double(zq - zp) : 0.0;
    const int32_t vx = between(inFront.vx, behind.vx, f);
    const int32_t vy = between(inFront.vy, behind.vy, f);
    RasterVertex r;
    r.light = between(inFront.light, behind.light, f);
    r.u = between(inFront.u, behind.u, f);
    r.v = between(inFront.v, behind.v, f);
    r.rz = nearPlaneRz;
    r.x = saturate32(target.cx + int64_t(vx) * target.scale / 512);
    r.y = saturate32(target.cy + int64_t(vy) * target.scale / 512);
    return r;
}

int clipTriangle(const ClipCorner (&c)[3], const DrawTarget& t, RasterVertex (&out)[2][3])
{
    const bool behind[3] = {behindNearPlane(c[0].rz), behindNearPlane(c[1].rz), behindNearPlane(c[2].rz)};
    const int count = int(behind[0]) + int(behind[1]) + int(behind[2]);
    if (count == 3) return 0;
    if (count == 0) {
        for (int k = 0; k < 3; ++k) out[0][k] = rasterCorner(c[k]);
        return 1;
    }
    if (count == 2) { // one corner in front keeps its place; the others move towards it
        const int front = !behind[0] ? 0 : !behind[1] ? 1 : 2;
        for (int k = 0; k < 3; ++k) out[0][k] = k == front ? rasterCorner(c[k]) : clipPoint(c[k], c[front], t);
        return 1;
    }
    // One corner behind: the visible part is a quad, drawn as two triangles.
    const RasterVertex a = rasterCorner(c[0]), b = rasterCorner(c[1]), cc = rasterCorner(c[2]);
    if (behind[0]) {
        const RasterVertex a1 = clipPoint(c[0], c[1], t), a2 = clipPoint(c[0], c[2], t);
        out[0][0] = a1, out[0][1] = b, out[0][2] = cc;
        out[1][0] = a1, out[1][1] = cc, out[1][2] = a2;
    } else if (behind[1]) {
        const RasterVertex b1 = clipPoint(c[1], c[0], t), b2 = clipPoint(c[1], c[2], t);
        out[0][0] = a, out[0][1] = b1, out[0][2] = cc;
        out[1][0] = b1, out[1][1] = b2, out[1][2] = cc;
    } else {
        const RasterVertex c1 = clipPoint(c[2], c[0], t), c2 = clipPoint(c[2], c[1], t);
        out[0][0] = a, out[0][1] = b, out[0][2] = c1;
        out[1][0] = c2, out[1][1] = c1, out[1][2] = b;
    }
    return 2;
}

ScenePolygon::ScenePolygon(Vertex* a, Vertex* b, Vertex* c, int32_t baseValue, int outlineColour)
    : corner{a, b, c}, base(baseValue), outline(uint8_t(outlineColour))
{
}

void drawCaptured(const PolygonDraw& p, const DrawTarget& t, bool useZ)
{
    RasterVertex out[2][3];
    const int n = clipTriangle(p.corner, t, out);
    for (int i = 0; i < n; ++i) {
        const RasterVertex(&v)[3] = out[i];
        if (p.textured) {
            if (useZ) rasterTexturedZ(t, v[0], v[1], v[2], p.texels, p.outline);
            else rasterTextured(t, v[0], v[1], v[2], p.texels, p.outline);
        } else {
            if (useZ) rasterShadedZ(t, v[0], v[1], v[2], p.base, p.outline);
            else rasterShaded(t, v[0], v[1], v[2], p.base, p.outline);
        }
    }
}

void ScenePolygon::drawSorted(const DrawTarget& t) const
{
    PolygonDraw p;
    capture(p);
    drawCaptured(p, t, false);
}

void ScenePolygon::drawZ(const DrawTarget& t) const
{
    PolygonDraw p;
    capture(p);
    drawCaptured(p, t, true);
}

void ShadedPolygon::capture(PolygonDraw& out) const
{
    for (int k = 0; k < 3; ++k) out.corner[k] = clipCorner(*corner[k]);
    out.base = base;
    out.outline = outline;
    out.textured = false;
}

TexturedPolygon::TexturedPolygon(Vertex* a, Vertex* b, Vertex* c, int32_t baseValue, int outlineColour,
                                 const Records<Texture>* textureTable, int index)
    : ScenePolygon(a, b, c, baseValue, outlineColour), textures(textureTable), textureIndex(index)
{
}

TexelSource TexturedPolygon::texels() const
{
    TexelSource s;
    s.fallback = base;
    const Texture* texture = textures ? textures->at(textureIndex) : nullptr;
    if (!texture || !texture->currentImage) return s; // nothing loaded: the material's own colour
    s.image = texture->currentImage;
    // The image holds the texture's size; never read past either size.
    s.width = std::min(width, texture->width);
    s.height = std::min(height, texture->height);
    return s;
}

void TexturedPolygon::capture(PolygonDraw& out) const
{
    for (int k = 0; k < 3; ++k) out.corner[k] = clipCorner(*corner[k], u[k], v[k]);
    out.texels = texels();
    out.base = base;
    out.outline = outline;
    out.textured = true;
}

int32_t textureCoordinate(int32_t size, int32_t lo, int32_t hi, int32_t s)
{
    // A zero-wide rectangle divides by zero: the infinity is held to the
    // range below, and NaN (at s = lo) becomes 0.
    const double value = double(size) / (double(hi) - double(lo)) * (double(s) - double(lo));
    const int64_t texel = std::clamp<int64_t>(truncToInt(value), 0, std::max(size, 0));
    return saturate32(texel * 1024);
}

namespace {

// The projection axes of a texture plane.
void planeAxes(const Texture& texture, const Vertex& v, int32_t& s, int32_t& t)
{
    switch (texture.plane) {
    case planeZY: s = v.gz, t = v.gy; break;
    case planeXZ: s = v.gx, t = v.gz; break;
    default: s = v.gx, t = v.gy; break;
    }
}

// Touching the rectangle's border counts as outside.
bool overlapsRectangle(const Texture& texture, const int32_t s[3], const int32_t t[3])
{
    const int32_t sMin = std::min(texture.x0, texture.x1), sMax = std::max(texture.x0, texture.x1);
    const int32_t tMin = std::min(texture.y0, texture.y1), tMax = std::max(texture.y0, texture.y1);
    auto all = [](const int32_t w[3], auto test) { return test(w[0]) && test(w[1]) && test(w[2]); };
    if (all(s, [&](int32_t x) { return x <= sMin; })) return false;
    if (all(s, [&](int32_t x) { return x >= sMax; })) return false;
    if (all(t, [&](int32_t x) { return x <= tMin; })) return false;
    if (all(t, [&](int32_t x) { return x >= tMax; })) return false;
    return true;
}

ScenePolygon* makePolygon(ModelObject& object, const Material& m, Vertex* const v[3], int outline)
{
    const Texture* texture = object.textures.at(m.texture);
    if (texture) {
        int32_t s[3], t[3];
        for (int k = 0; k < 3; ++k) planeAxes(*texture, *v[k], s[k], t[k]);
        if (overlapsRectangle(*texture, s, t)) {
            auto* p = new TexturedPolygon(v[0], v[1], v[2], (m.shade & 63) * 64, outline, &object.textures,
                                          m.texture);
            p->width = texture->width;
            p->height = texture->height;
            for (int k = 0; k < 3; ++k) {
                p->u[k] = textureCoordinate(texture->width, texture->x0, texture->x1, s[k]);
                p->v[k] = textureCoordinate(texture->height, texture->y0, texture->y1, t[k]);
            }
            return p;
        }
    }
    return new ShadedPolygon(v[0], v[1], v[2], m.shade & 63, outline);
}

void append(ModelObject& object, ScenePolygon* polygon)
{
    if (object.polygons.append(polygon) < 0) delete polygon; // the table could not grow
}

} // namespace

void buildPolygons(ModelPart& part, int partPosition, ModelObject& object)
{
    // Corner orders of the two triangles and their reversed copies, by diagonal.
    static const int triangles[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
    const int outline = partPosition + 1;
    const int vertexCount = object.vertices.count();
    for (const Face& f : part.faces) {
        const Material* m = object.materials.at(f.material);
        if (!m) continue; // no valid material: the face is not drawn
        const int diagonal = f.altDiagonal == 1 ? 1 : 0;
        for (const auto& tri : triangles[diagonal]) {
            int32_t idx[3];
            for (int k = 0; k < 3; ++k) idx[k] = f.index(tri[k]);
            if (idx[0] == idx[1] || idx[1] == idx[2] || idx[0] == idx[2]) continue;
            bool valid = true;
            for (int k = 0; k < 3; ++k) valid = valid && idx[k] >= 0 && idx[k] < vertexCount;
            if (!valid) continue;
            Vertex* v[3] = {&object.vertices[idx[0]], &object.vertices[idx[1]], &object.vertices[idx[2]]};
            append(object, makePolygon(object, *m, v, outline));
            if (f.doubleSided) {
                Vertex* reversed[3] = {v[0], v[2], v[1]};
                append(object, makePolygon(object, *m, reversed, outline));
            }
        }
    }
}

} // namespace quillo
