#include <gtest/gtest.h>

#include <random>

#include "model_builder.h"
#include "softrender/frame.h"
#include "softrender/polygons.h"

using namespace quillo;
using namespace quillo::test;

namespace {

// An object with vertices 0..7 on a 10-unit grid and one plain material.
struct Scene {
    ModelObject object{true};
    int material;
    Scene()
    {
        for (int i = 0; i < 8; ++i) addVertex(object, (i % 4) * 10, (i / 4) * 10, 0);
        material = addMaterial(object, 200, 100, 50);
        object.materials[material].shade = 7;
    }
    // Grid coordinates as a redraw computes them, keeping every vertex
    // (and so its index), then the polygons of the root part.
    void build(int partPosition = 0)
    {
        for (Vertex& v : object.vertices) {
            v.gx = int32_t(v.x / dt);
            v.gy = int32_t(v.y / dt);
            v.gz = int32_t(v.z / dt);
        }
        object.clearPolygons();
        buildPolygons(*object.rootPart, partPosition, object);
    }
    // The vertex indices of polygon i.
    std::vector<int> corners(int i) const
    {
        const auto* p = static_cast<const ScenePolygon*>(object.polygons[i]);
        std::vector<int> out;
        for (Vertex* v : p->corner) out.push_back(int(v - object.vertices.begin()));
        return out;
    }
};

using Corners = std::vector<int>;

} // namespace

TEST(BuildPolygons, DoubleSidedQuadGivesBothTrianglesAndTheirReverses)
{
    Scene s;
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, s.material, true, false));
    s.build();
    ASSERT_EQ(s.object.polygons.count(), 4);
    EXPECT_EQ(s.corners(0), (Corners{0, 1, 4})); // A B D
    EXPECT_EQ(s.corners(1), (Corners{0, 4, 1})); // A D B
    EXPECT_EQ(s.corners(2), (Corners{1, 5, 4})); // B C D
    EXPECT_EQ(s.corners(3), (Corners{1, 4, 5})); // B D C
}

TEST(BuildPolygons, OtherDiagonalSplitsAlongAC)
{
    Scene s;
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, s.material, false, true));
    s.object.rootPart->faces.append(makeFace(1, 2, 6, 5, s.material, true, true));
    s.build();
    ASSERT_EQ(s.object.polygons.count(), 6);
    EXPECT_EQ(s.corners(0), (Corners{0, 1, 5}));
    EXPECT_EQ(s.corners(1), (Corners{0, 5, 4}));
    EXPECT_EQ(s.corners(2), (Corners{1, 2, 6}));
    EXPECT_EQ(s.corners(3), (Corners{1, 6, 2}));
    EXPECT_EQ(s.corners(4), (Corners{1, 6, 5}));
    EXPECT_EQ(s.corners(5), (Corners{1, 5, 6}));
}

TEST(BuildPolygons, TriangleFacesAndBadFacesMakeOnlyWhatIsDrawable)
{
    Scene s;
    s.object.rootPart->faces.append(makeFace(5, 5, 6, 7, s.material)); // only B C D survives
    s.object.rootPart->faces.append(makeFace(0, 1, 2, 3, -1));        // no material
    s.object.rootPart->faces.append(makeFace(0, 1, 2, 3, 9));         // material out of range
    s.object.rootPart->faces.append(makeFace(4, 5, 6, 6, s.material)); // both triangles repeat an index
    s.build();
    s.object.rootPart->faces.append(makeFace(0, 1, 40, 3, s.material)); // a vertex the table lacks
    s.object.clearPolygons();
    buildPolygons(*s.object.rootPart, 0, s.object);
    ASSERT_EQ(s.object.polygons.count(), 3);
    EXPECT_EQ(s.corners(0), (Corners{5, 6, 7}));
    EXPECT_EQ(s.corners(1), (Corners{4, 5, 6})); // A B D of (4, 5, 6, 6)
    EXPECT_EQ(s.corners(2), (Corners{0, 1, 3})); // A B D; B C D names vertex 40
}

TEST(BuildPolygons, CarryTheShadeAndThePartsOutlineColour)
{
    Scene s;
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, s.material));
    s.build(4);
    const auto* p = static_cast<const ScenePolygon*>(s.object.polygons[0]);
    EXPECT_NE(dynamic_cast<const ShadedPolygon*>(p), nullptr);
    EXPECT_EQ(p->base, 7);
    EXPECT_EQ(p->outline, 5);
}

namespace {

// A 16 x 8 texture mapped onto the rectangle (0, 0)-(100, 80) of `plane`.
int addPlainTexture(Scene& s, int plane)
{
    const int t = addTexture(s.object, "t", plane, 0, 0, 100, 80, {});
    s.object.textures[t].width = 16;
    s.object.textures[t].height = 8;
    const int m = addMaterial(s.object, 10, 20, 30, 0.2f, 1.0f, 0.0f, t);
    s.object.materials[m].shade = 3;
    return m;
}

} // namespace

TEST(TexturedPolygons, GetCoordinatesFromThePlanarProjection)
{
    Scene s;
    const int m = addPlainTexture(s, planeXY);
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, m));
    s.build();
    ASSERT_EQ(s.object.polygons.count(), 2);
    const auto* p = dynamic_cast<const TexturedPolygon*>(s.object.polygons[0]);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->base, 3 * 64);
    EXPECT_EQ(p->width, 16);
    EXPECT_EQ(p->height, 8);
    // Corners A (0, 0), B (10, 0), D (0, 10): u = 16 / 100 x s, v = 8 / 80 x t.
    EXPECT_EQ(p->u[0], 0);
    EXPECT_EQ(p->u[1], 1 << 10); // trunc(1.6)
    EXPECT_EQ(p->v[1], 0);
    EXPECT_EQ(p->v[2], 1 << 10);
    const TexelSource t = p->texels();
    EXPECT_EQ(t.image, nullptr); // nothing loaded: the fallback everywhere
    EXPECT_EQ(t.fallback, 3 * 64);
}

TEST(TexturedPolygons, TrianglesOutsideTheRectangleStayShaded)
{
    Scene s;
    const int m = addPlainTexture(s, planeXY);
    s.object.textures[0].x0 = 30; // (30, 0)-(100, 80): faces at x 0..10 and 10..20 lie left of it
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, m));
    s.object.rootPart->faces.append(makeFace(2, 3, 7, 6, m)); // x 20..30: touches the border only
    s.build();
    ASSERT_EQ(s.object.polygons.count(), 4);
    for (int i = 0; i < 4; ++i) {
        const auto* p = dynamic_cast<const ShadedPolygon*>(s.object.polygons[i]);
        ASSERT_NE(p, nullptr) << i;
        EXPECT_EQ(p->base, 3);
    }
}

TEST(TexturedPolygons, PlaneChoosesTheProjectionAxes)
{
    for (int plane : {planeZY, planeXZ}) {
        Scene s;
        const int m = addPlainTexture(s, plane);
        // A face in the X-Y plane at z = 0 is edge-on to both planes.
        s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, m));
        s.build();
        EXPECT_NE(dynamic_cast<const ShadedPolygon*>(s.object.polygons[0]), nullptr) << plane;
    }
    Scene s;
    const int m = addPlainTexture(s, planeXZ);
    ModelObject& o = s.object;
    const int a = addVertex(o, 0, 0, 0), b = addVertex(o, 50, 0, 0), c = addVertex(o, 50, 0, 40);
    o.rootPart->faces.append(makeFace(a, b, c, c, m));
    s.build();
    const auto* p = dynamic_cast<const TexturedPolygon*>(o.polygons[0]);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->corner[0], &o.vertices[a]);
    EXPECT_EQ(p->u[2], 8 << 10); // s = x = 50 of 100
    EXPECT_EQ(p->v[2], 4 << 10); // t = z = 40 of 80
}

TEST(TexturedPolygons, CoordinatesAreHeldToThePattern)
{
    EXPECT_EQ(textureCoordinate(16, 0, 100, -50), 0);
    EXPECT_EQ(textureCoordinate(16, 0, 100, 150), 16 << 10); // the width itself: outside, the fallback
    EXPECT_EQ(textureCoordinate(16, 100, 0, 25), 12 << 10);  // a reversed rectangle mirrors
    EXPECT_EQ(textureCoordinate(16, 100, 0, 150), 0);
    EXPECT_EQ(textureCoordinate(16, 5, 5, 5), 0);            // zero-wide rectangle: 0 / 0
    EXPECT_EQ(textureCoordinate(16, 5, 5, 6), 16 << 10);     // and an infinite slope
    EXPECT_EQ(textureCoordinate(16, 5, 5, 4), 0);
    EXPECT_EQ(textureCoordinate(1 << 24, 0, 1, 1), INT32_MAX); // a huge pattern saturates
}

TEST(TexturedPolygons, DrawingReadsTheCurrentPatternEachTime)
{
    Scene s;
    const int m = addPlainTexture(s, planeXY);
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, m));
    s.build();
    int32_t first[16 * 8], second[16 * 8];
    int32_t* rowsA[8];
    int32_t* rowsB[8];
    for (int i = 0; i < 16 * 8; ++i) {
        first[i] = 1 * 64;
        second[i] = 2 * 64;
    }
    for (int r = 0; r < 8; ++r) {
        rowsA[r] = first + 16 * r;
        rowsB[r] = second + 16 * r;
    }
    uint8_t map[64 * 64 * 4];
    for (int i = 0; i < 64 * 64 * 4; ++i) map[i] = uint8_t(i >> 2);
    Frame frame(64, 64, false);
    DrawTarget t = frame.target(map);
    t.cx = 0;
    t.scale = 1024;
    // Put the three corners on screen by hand.
    const int xy[3][2] = {{5, 5}, {40, 5}, {5, 40}};
    auto* p = static_cast<const TexturedPolygon*>(s.object.polygons[0]);
    for (int k = 0; k < 3; ++k) {
        p->corner[k]->sx = xy[k][0];
        p->corner[k]->sy = xy[k][1];
        p->corner[k]->vz = 1000;
        p->corner[k]->light = 0;
    }
    // Make sure the corners turn the front-facing way on screen.
    RasterVertex a{5, 5}, b{40, 5}, c{5, 40};
    const bool front = (double(a.y) - b.y) * (double(b.x) - c.x) + (double(a.x) - b.x) * (double(c.y) - b.y) >= 0;
    if (!front) std::swap(p->corner[1]->sx, p->corner[2]->sx), std::swap(p->corner[1]->sy, p->corner[2]->sy);
    s.object.textures[0].currentImage = rowsA;
    p->drawSorted(t);
    EXPECT_EQ(frame.pixel(8, 8), 64);
    s.object.textures[0].currentImage = rowsB;
    p->drawSorted(t);
    EXPECT_EQ(frame.pixel(8, 8), 128);
}

TEST(NearPlane, DepthFiveHundredTwelveIsInFront)
{
    EXPECT_FALSE(behindNearPlane(0x80000));
    EXPECT_TRUE(behindNearPlane(0x80001));
    EXPECT_TRUE(behindNearPlane(-5));
    EXPECT_TRUE(behindNearPlane(0x7FFFFFFF)); // depth 0
    EXPECT_FALSE(behindNearPlane(0));          // beyond 2^28: far, not behind
    EXPECT_EQ(268435456 / 512, nearPlaneRz);
}

namespace {

DrawTarget projection()
{
    DrawTarget t;
    t.cx = 213;
    t.cy = 240;
    t.scale = 1024;
    return t;
}

// A corner at view (vx, vy, depth), projected like projectAll does.
ClipCorner viewCorner(int vx, int vy, int depth, int light = 600, int u = 0, int v = 0)
{
    ClipCorner c;
    c.vx = vx;
    c.vy = vy;
    c.rz = int32_t((1.0 / depth) * 268435456.0);
    c.light = light;
    c.sx = 213 + int32_t(double(vx * 1024) / depth);
    c.sy = 240 + int32_t(double(vy * 1024) / depth);
    c.u = u;
    c.v = v;
    return c;
}

bool same(const RasterVertex& a, const RasterVertex& b)
{
    return a.x == b.x && a.y == b.y && a.rz == b.rz && a.light == b.light && a.u == b.u && a.v == b.v;
}

} // namespace

TEST(NearPlane, OneCornerInFrontGivesASmallerTriangleAtDepth512)
{
    const DrawTarget t = projection();
    // A at depth 600, B and C at 88: the cut lies 88 / 512 of the way from A.
    const ClipCorner c[3] = {viewCorner(100, 50, 600, 600, 0, 2048), viewCorner(-924, 50, 88, 88, 1024, 0),
                             viewCorner(100, -974, 88, 88, 0, 0)};
    RasterVertex out[2][3];
    ASSERT_EQ(clipTriangle(c, t, out), 1);
    EXPECT_EQ(out[0][0].x, c[0].sx); // A keeps its place
    EXPECT_EQ(out[0][0].rz, c[0].rz);
    const RasterVertex& b = out[0][1];
    EXPECT_EQ(b.rz, 0x80000);
    EXPECT_EQ(b.x, 213 + (100 - 176) * 1024 / 512); // vx = 100 + 88 / 512 x (-1024)
    EXPECT_EQ(b.y, 240 + 50 * 1024 / 512);
    EXPECT_EQ(b.light, 600 - 88);
    EXPECT_EQ(b.u, 176);
    EXPECT_EQ(b.v, 2048 - 352);
    const RasterVertex& cc = out[0][2];
    EXPECT_EQ(cc.rz, 0x80000);
    EXPECT_EQ(cc.x, 213 + 100 * 1024 / 512);
    EXPECT_EQ(cc.y, 240 + (50 - 176) * 1024 / 512);
}

TEST(NearPlane, AllBehindDrawsNothingAndNoneBehindPassesThrough)
{
    const DrawTarget t = projection();
    RasterVertex out[2][3];
    const ClipCorner behind[3] = {viewCorner(0, 0, 100), viewCorner(10, 0, -100), viewCorner(0, 10, 511)};
    EXPECT_EQ(clipTriangle(behind, t, out), 0);
    const ClipCorner front[3] = {viewCorner(0, 0, 512), viewCorner(100, 0, 900), viewCorner(0, 100, 5000)};
    ASSERT_EQ(clipTriangle(front, t, out), 1);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(out[0][k].x, front[k].sx);
        EXPECT_EQ(out[0][k].rz, front[k].rz);
    }
}

TEST(NearPlane, OneCornerBehindGivesAQuadInTwoTriangles)
{
    const DrawTarget t = projection();
    for (int behind = 0; behind < 3; ++behind) {
        ClipCorner c[3] = {viewCorner(-800, -300, 1500), viewCorner(900, -200, 1400), viewCorner(0, 700, 1200)};
        c[behind] = viewCorner(c[behind].vx, c[behind].vy, 200);
        RasterVertex out[2][3];
        ASSERT_EQ(clipTriangle(c, t, out), 2);
        const RasterVertex a{c[0].sx, c[0].sy, c[0].rz, c[0].light, 0, 0};
        const RasterVertex b{c[1].sx, c[1].sy, c[1].rz, c[1].light, 0, 0};
        const RasterVertex cc{c[2].sx, c[2].sy, c[2].rz, c[2].light, 0, 0};
        if (behind == 0) { // (A', B, C) and (A', C, A'')
            const RasterVertex a1 = clipPoint(c[0], c[1], t), a2 = clipPoint(c[0], c[2], t);
            EXPECT_TRUE(same(out[0][0], a1) && same(out[0][1], b) && same(out[0][2], cc));
            EXPECT_TRUE(same(out[1][0], a1) && same(out[1][1], cc) && same(out[1][2], a2));
        } else if (behind == 1) { // (A, B', C) and (B', B'', C)
            const RasterVertex b1 = clipPoint(c[1], c[0], t), b2 = clipPoint(c[1], c[2], t);
            EXPECT_TRUE(same(out[0][0], a) && same(out[0][1], b1) && same(out[0][2], cc));
            EXPECT_TRUE(same(out[1][0], b1) && same(out[1][1], b2) && same(out[1][2], cc));
        } else { // (A, B, C') and (C'', C', B)
            const RasterVertex c1 = clipPoint(c[2], c[0], t), c2 = clipPoint(c[2], c[1], t);
            EXPECT_TRUE(same(out[0][0], a) && same(out[0][1], b) && same(out[0][2], c1));
            EXPECT_TRUE(same(out[1][0], c2) && same(out[1][1], c1) && same(out[1][2], b));
        }
    }
}

TEST(NearPlane, ClippingKeepsTheWinding)
{
    // Whatever is cut off, every triangle drawn turns the same way on
    // screen as the whole triangle does as seen from the eye.
    const DrawTarget t = projection();
    std::mt19937 random(23);
    std::uniform_int_distribution<int> side(-6000, 6000), depth(40, 4000);
    int checked = 0;
    for (int round = 0; round < 2000; ++round) {
        ClipCorner c[3];
        double p[3][3];
        for (int k = 0; k < 3; ++k) {
            const int z = depth(random);
            c[k] = viewCorner(side(random), side(random), z);
            p[k][0] = c[k].vx;
            p[k][1] = c[k].vy;
            p[k][2] = z;
        }
        const double det = p[0][0] * (p[1][1] * p[2][2] - p[1][2] * p[2][1]) -
                           p[0][1] * (p[1][0] * p[2][2] - p[1][2] * p[2][0]) +
                           p[0][2] * (p[1][0] * p[2][1] - p[1][1] * p[2][0]);
        RasterVertex out[2][3];
        const int n = clipTriangle(c, t, out);
        for (int i = 0; i < n; ++i) {
            const RasterVertex &a = out[i][0], &b = out[i][1], &cc = out[i][2];
            const double test =
                (double(a.y) - b.y) * (double(b.x) - cc.x) + (double(a.x) - b.x) * (double(cc.y) - b.y);
            if (std::abs(test) < 200) continue; // too thin to tell after rounding to pixels
            EXPECT_EQ(test > 0, det < 0) << round;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(NearPlane, ClipPointsSurviveWildCorners)
{
    const DrawTarget t = projection();
    ClipCorner farFront{};
    farFront.rz = 0; // beyond 2^28 ahead
    farFront.vx = INT32_MAX;
    ClipCorner atEye{};
    atEye.rz = 0x7FFFFFFF;
    atEye.vx = INT32_MIN;
    atEye.light = 1023;
    const RasterVertex r = clipPoint(atEye, farFront, t);
    EXPECT_EQ(r.rz, 0x80000);
    EXPECT_GE(r.light, 0);
    EXPECT_LE(r.light, 1023);
}
