#include <gtest/gtest.h>

#include <random>

#include "model_builder.h"
#include "softrender/frame.h"
#include "softrender/polygons.h"

using namespace quillo;
using namespace quillo::test;

namespace {

using Corners = std::vector<int>;

// An object with vertices 0..7 on a 10-unit grid (x = (i % 4) x 10,
// y = (i / 4) x 10) and one plain material of shade 7.
struct Scene {
    ModelObject object{true};
    int material;
    Scene()
    {
        for (int i = 0; i < 8; ++i) addVertex(object, (i % 4) * 10, (i / 4) * 10, 0);
        material = addMaterial(object, 200, 100, 50);
        object.materials[material].shade = 7;
    }
    // A 16 x 8 texture over the rectangle (0, 0)-(100, 80) of `plane`; its material has shade 3.
    int addTexturedMaterial(int plane)
    {
        const int t = addTexture(object, "t", plane, 0, 0, 100, 80, {});
        object.textures[t].width = 16;
        object.textures[t].height = 8;
        const int m = addMaterial(object, 10, 20, 30, 0.2f, 1.0f, 0.0f, t);
        object.materials[m].shade = 3;
        return m;
    }
    // Grid coordinates as a redraw computes them (keeping every vertex and
    // so its index), then the polygons of the root part.
    void build(int partPosition = 0)
    {
        for (Vertex& v : object.vertices) v.gx = int32_t(v.x / dt), v.gy = int32_t(v.y / dt), v.gz = int32_t(v.z / dt);
        object.clearPolygons();
        buildPolygons(*object.rootPart, partPosition, object);
    }
    const ScenePolygon& polygon(int i) const { return *static_cast<const ScenePolygon*>(object.polygons[i]); }
    Corners corners(int i) const
    {
        Corners out;
        for (Vertex* v : polygon(i).corner) out.push_back(int(v - object.vertices.begin()));
        return out;
    }
};

} // namespace

TEST(BuildPolygons, TrianglesFollowTheDiagonalAndDoubleSidedFacesAddReverses)
{
    Scene s;
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, s.material, true, false));
    s.object.rootPart->faces.append(makeFace(1, 2, 6, 5, s.material, false, true));
    s.build(4);
    ASSERT_EQ(s.object.polygons.count(), 6);
    EXPECT_EQ(s.corners(0), (Corners{0, 1, 4})); // A B D
    EXPECT_EQ(s.corners(1), (Corners{0, 4, 1})); // A D B
    EXPECT_EQ(s.corners(2), (Corners{1, 5, 4})); // B C D
    EXPECT_EQ(s.corners(3), (Corners{1, 4, 5})); // B D C
    EXPECT_EQ(s.corners(4), (Corners{1, 2, 6})); // the other diagonal: A B C
    EXPECT_EQ(s.corners(5), (Corners{1, 6, 5})); // A C D
    EXPECT_NE(dynamic_cast<const ShadedPolygon*>(&s.polygon(0)), nullptr);
    EXPECT_EQ(s.polygon(0).base, 7);
    EXPECT_EQ(s.polygon(0).outline, 5); // the part's 1-based position
}

TEST(BuildPolygons, OnlyDrawableTrianglesBecomePolygons)
{
    Scene s;
    s.object.rootPart->faces.append(makeFace(5, 5, 6, 7, s.material));  // only B C D survives
    s.object.rootPart->faces.append(makeFace(0, 1, 2, 3, -1));          // no material
    s.object.rootPart->faces.append(makeFace(0, 1, 2, 3, 9));           // material out of range
    s.object.rootPart->faces.append(makeFace(4, 5, 6, 6, s.material));  // B C D repeats an index
    s.object.rootPart->faces.append(makeFace(0, 1, 40, 3, s.material)); // B C D names vertex 40
    s.object.rootPart->faces.append(makeFace(4, 5, 6, 4, s.material));  // A B D starts and ends at 4
    s.build();
    ASSERT_EQ(s.object.polygons.count(), 4);
    EXPECT_EQ(s.corners(0), (Corners{5, 6, 7}));
    EXPECT_EQ(s.corners(1), (Corners{4, 5, 6}));
    EXPECT_EQ(s.corners(2), (Corners{0, 1, 3}));
    EXPECT_EQ(s.corners(3), (Corners{5, 6, 4}));
}

TEST(TexturedPolygons, CoordinatesComeFromThePlanarProjection)
{
    Scene s;
    const int m = s.addTexturedMaterial(planeXY);
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, m));
    const int a = addVertex(s.object, 0, 0, 0), b = addVertex(s.object, 50, 0, 0), c = addVertex(s.object, 50, 0, 40);
    s.object.rootPart->faces.append(makeFace(a, b, c, c, s.addTexturedMaterial(planeXZ)));
    s.build();
    ASSERT_EQ(s.object.polygons.count(), 3);
    const auto* p = dynamic_cast<const TexturedPolygon*>(&s.polygon(0));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->base, 3 * 64); // the fallback texel: the material's own colour row
    EXPECT_TRUE(p->width == 16 && p->height == 8);
    // Corners A (0, 0), B (10, 0), D (0, 10): u = 16 / 100 x s, v = 8 / 80 x t.
    EXPECT_TRUE(p->u[0] == 0 && p->u[1] == 1 << 10 && p->v[1] == 0 && p->v[2] == 1 << 10);
    const TexelSource none = p->texels();
    EXPECT_TRUE(none.image == nullptr && none.fallback == 3 * 64); // nothing loaded yet
    const auto* xz = dynamic_cast<const TexturedPolygon*>(&s.polygon(2));
    ASSERT_NE(xz, nullptr);
    EXPECT_EQ(xz->u[2], 8 << 10); // s = x = 50 of 100
    EXPECT_EQ(xz->v[2], 4 << 10); // t = z = 40 of 80

    EXPECT_EQ(textureCoordinate(16, 0, 100, -50), 0);          // held to the pattern
    EXPECT_EQ(textureCoordinate(16, 0, 100, 150), 16 << 10);   // the width itself: the fallback
    EXPECT_EQ(textureCoordinate(16, 100, 0, 25), 12 << 10);    // a reversed rectangle mirrors
    EXPECT_EQ(textureCoordinate(16, 5, 5, 5), 0);              // zero-wide rectangle: 0 / 0
    EXPECT_EQ(textureCoordinate(16, 5, 5, 6), 16 << 10);       // and an infinite slope
    EXPECT_EQ(textureCoordinate(1 << 24, 0, 1, 1), INT32_MAX); // a huge pattern saturates
}

TEST(TexturedPolygons, TrianglesOutsideTheRectangleOrEdgeOnStayShaded)
{
    Scene s;
    const int m = s.addTexturedMaterial(planeXY);
    s.object.textures[0].x0 = 30; // (30, 0)-(100, 80)
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, m)); // x 0..10: left of it
    s.object.rootPart->faces.append(makeFace(2, 3, 7, 6, m)); // x 20..30: touches the border only
    const int zy = s.addTexturedMaterial(planeZY);            // faces at z = 0 lie edge-on to Z-Y
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, zy));
    const int right = s.addTexturedMaterial(planeXY);
    s.object.textures[2].x1 = 20; // (0, 0)-(20, 80)
    s.object.rootPart->faces.append(makeFace(2, 3, 7, 6, right)); // x 20..30: touches its right border
    s.build();
    ASSERT_EQ(s.object.polygons.count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_NE(dynamic_cast<const ShadedPolygon*>(&s.polygon(i)), nullptr) << i;
        EXPECT_EQ(s.polygon(i).base, 3);
    }
}

TEST(TexturedPolygons, DrawingReadsTheCurrentPatternEachTime)
{
    Scene s;
    s.object.rootPart->faces.append(makeFace(0, 1, 5, 4, s.addTexturedMaterial(planeXY)));
    s.build();
    int32_t first[16 * 8], second[16 * 8];
    int32_t *rowsA[8], *rowsB[8];
    for (int i = 0; i < 16 * 8; ++i) first[i] = 64, second[i] = 128;
    for (int r = 0; r < 8; ++r) rowsA[r] = first + 16 * r, rowsB[r] = second + 16 * r;
    uint8_t map[64 * 64 * 4];
    for (int i = 0; i < 64 * 64 * 4; ++i) map[i] = uint8_t(i >> 2); // pixel = colour row
    Frame frame(64, 64, false);
    const DrawTarget t = frame.target(map);
    const int xy[3][2] = {{5, 5}, {5, 40}, {40, 5}}; // front-facing on screen
    for (int k = 0; k < 3; ++k) {
        Vertex& v = *s.polygon(0).corner[k];
        v.sx = xy[k][0], v.sy = xy[k][1], v.vz = 1000, v.light = 0;
    }
    s.object.textures[0].currentImage = rowsA;
    s.polygon(0).drawSorted(t);
    EXPECT_EQ(frame.pixel(8, 8), 64);
    s.object.textures[0].currentImage = rowsB; // a new pattern needs no rebuild
    s.polygon(0).drawSorted(t);
    EXPECT_EQ(frame.pixel(8, 8), 128);
}

namespace {

DrawTarget projection()
{
    DrawTarget t;
    t.cx = 213, t.cy = 240, t.scale = 1024;
    return t;
}

// A corner at view (vx, vy, depth), projected as projectAll does.
ClipCorner viewCorner(int vx, int vy, int depth, int light = 600, int u = 0, int v = 0)
{
    return ClipCorner{vx, vy, int32_t((1.0 / depth) * 268435456.0), light, 213 + int32_t(double(vx * 1024) / depth),
                      240 + int32_t(double(vy * 1024) / depth), u, v};
}

bool same(const RasterVertex& a, const RasterVertex& b)
{
    return a.x == b.x && a.y == b.y && a.rz == b.rz && a.light == b.light && a.u == b.u && a.v == b.v;
}

RasterVertex unclipped(const ClipCorner& c) { return RasterVertex{c.sx, c.sy, c.rz, c.light, c.u, c.v}; }

} // namespace

TEST(NearPlane, DepthFiveHundredTwelveIsInFront)
{
    EXPECT_EQ(268435456 / 512, nearPlaneRz);
    EXPECT_FALSE(behindNearPlane(0x80000));
    EXPECT_TRUE(behindNearPlane(0x80001));
    EXPECT_TRUE(behindNearPlane(-5));
    EXPECT_TRUE(behindNearPlane(0x7FFFFFFF)); // depth 0
    EXPECT_FALSE(behindNearPlane(0));          // beyond 2^28: far, not behind
    RasterVertex out[2][3];
    const ClipCorner behind[3] = {viewCorner(0, 0, 100), viewCorner(10, 0, -100), viewCorner(0, 10, 511)};
    EXPECT_EQ(clipTriangle(behind, projection(), out), 0);
    const ClipCorner front[3] = {viewCorner(0, 0, 512), viewCorner(100, 0, 900), viewCorner(0, 100, 5000)};
    ASSERT_EQ(clipTriangle(front, projection(), out), 1);
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(same(out[0][k], unclipped(front[k])));
}

TEST(NearPlane, OneCornerInFrontGivesASmallerTriangleAtDepth512)
{
    // A at depth 600, B and C at 88: the cut lies 88 / 512 of the way from A.
    const ClipCorner c[3] = {viewCorner(100, 50, 600, 600, 0, 2048), viewCorner(-924, 50, 88, 88, 1024, 0),
                             viewCorner(100, -974, 88, 88, 0, 0)};
    RasterVertex out[2][3];
    ASSERT_EQ(clipTriangle(c, projection(), out), 1);
    EXPECT_TRUE(same(out[0][0], unclipped(c[0]))); // A keeps its place
    EXPECT_TRUE(same(out[0][1], RasterVertex{213 + (100 - 176) * 2, 240 + 50 * 2, 0x80000, 600 - 88, 176, 2048 - 352}));
    EXPECT_TRUE(same(out[0][2], RasterVertex{213 + 100 * 2, 240 + (50 - 176) * 2, 0x80000, 600 - 88, 0, 2048 - 352}));
}

TEST(NearPlane, OneCornerBehindGivesAQuadInTwoTriangles)
{
    const DrawTarget t = projection();
    for (int behind = 0; behind < 3; ++behind) {
        ClipCorner c[3] = {viewCorner(-800, -300, 1500), viewCorner(900, -200, 1400), viewCorner(0, 700, 1200)};
        c[behind] = viewCorner(c[behind].vx, c[behind].vy, 200);
        RasterVertex out[2][3];
        ASSERT_EQ(clipTriangle(c, t, out), 2);
        const RasterVertex a = unclipped(c[0]), b = unclipped(c[1]), cc = unclipped(c[2]);
        RasterVertex expected[2][3];
        if (behind == 0) { // (A', B, C) and (A', C, A'')
            const RasterVertex a1 = clipPoint(c[0], c[1], t), a2 = clipPoint(c[0], c[2], t);
            expected[0][0] = a1, expected[0][1] = b, expected[0][2] = cc, expected[1][0] = a1, expected[1][1] = cc,
            expected[1][2] = a2;
        } else if (behind == 1) { // (A, B', C) and (B', B'', C)
            const RasterVertex b1 = clipPoint(c[1], c[0], t), b2 = clipPoint(c[1], c[2], t);
            expected[0][0] = a, expected[0][1] = b1, expected[0][2] = cc, expected[1][0] = b1, expected[1][1] = b2,
            expected[1][2] = cc;
        } else { // (A, B, C') and (C'', C', B)
            const RasterVertex c1 = clipPoint(c[2], c[0], t), c2 = clipPoint(c[2], c[1], t);
            expected[0][0] = a, expected[0][1] = b, expected[0][2] = c1, expected[1][0] = c2, expected[1][1] = c1,
            expected[1][2] = b;
        }
        for (int i = 0; i < 2; ++i)
            for (int k = 0; k < 3; ++k) EXPECT_TRUE(same(out[i][k], expected[i][k])) << behind << i << k;
    }
}

TEST(NearPlane, ClippingKeepsTheWinding)
{
    // Whatever is cut off, every triangle drawn turns the same way on
    // screen as the whole triangle does as seen from the eye.
    std::mt19937 random(23);
    std::uniform_int_distribution<int> side(-6000, 6000), depth(40, 4000);
    int checked = 0;
    for (int round = 0; round < 2000; ++round) {
        ClipCorner c[3];
        double p[3][3];
        for (int k = 0; k < 3; ++k) {
            const int z = depth(random);
            c[k] = viewCorner(side(random), side(random), z);
            p[k][0] = c[k].vx, p[k][1] = c[k].vy, p[k][2] = z;
        }
        const double det = p[0][0] * (p[1][1] * p[2][2] - p[1][2] * p[2][1]) -
                           p[0][1] * (p[1][0] * p[2][2] - p[1][2] * p[2][0]) +
                           p[0][2] * (p[1][0] * p[2][1] - p[1][1] * p[2][0]);
        RasterVertex out[2][3];
        for (int i = 0, n = clipTriangle(c, projection(), out); i < n; ++i) {
            const RasterVertex &a = out[i][0], &b = out[i][1], &cc = out[i][2];
            const double test = (double(a.y) - b.y) * (double(b.x) - cc.x) + (double(a.x) - b.x) * (double(cc.y) - b.y);
            if (std::abs(test) < 200) continue; // too thin to tell after rounding to pixels
            EXPECT_EQ(test > 0, det < 0) << round;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}
