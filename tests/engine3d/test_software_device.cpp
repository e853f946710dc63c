#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "device_fixture.h"
#include "engine3d/triangle_raster.h"

namespace quillo::engine3d::test {
namespace {

using SoftwareDeviceTest = DeviceFixture;

// A square of side 2s centred on (cx, cy) at depth z, wound to face the viewer.
ExecuteBatch square(DeviceFixture& f, float cx, float cy, float s, float z, MaterialHandle m, TextureHandle t = 0)
{
    return f.batchOf({at(cx - s, cy - s, z, 0, 0), at(cx - s, cy + s, z, 0, 1), at(cx + s, cy + s, z, 1, 1),
                      at(cx + s, cy - s, z, 1, 0)},
                     {0, 1, 3, 1, 2, 3}, m, t);
}

TEST_F(SoftwareDeviceTest, ProjectsWithYDownAroundTheViewportCentre)
{
    // Scale 64 at z = 64: one unit is one pixel; y = +10 lands below the centre.
    const Rect r = draw(square(*this, 0, 10, 4, 64, white));
    EXPECT_EQ(r, (Rect{28, 38, 35, 45}));
    EXPECT_EQ(countPixels(0xFFFFFF), 64);
}

TEST_F(SoftwareDeviceTest, TheOtherWindingIsABackFace)
{
    ExecuteBatch b = square(*this, 0, 0, 4, 64, white);
    for (size_t i = 0; i < b.lists[0].indices.size(); i += 3) std::swap(b.lists[0].indices[i], b.lists[0].indices[i + 1]);
    EXPECT_TRUE(draw(b).empty());
    EXPECT_EQ(countPixels(0xFFFFFF), 0);
}

TEST_F(SoftwareDeviceTest, NothingBehindTheNearPlaneIsDrawn)
{
    EXPECT_TRUE(draw(square(*this, 0, 0, 4, 29.9f, white)).empty());
    EXPECT_TRUE(draw(square(*this, 0, 0, 4, -100, white)).empty());
}

TEST_F(SoftwareDeviceTest, TrianglesCrossingTheNearPlaneAreClipped)
{
    // From z = 10 (behind the near plane) to z = 200: only the far part shows,
    // and the clipped shape stays inside the target without wrapping round.
    ExecuteBatch b = batchOf({at(-20, 5, 10), at(-20, 5, 200), at(20, 5, 200)}, {0, 1, 2, 0, 2, 1}, white); // either side up
    b.vertices[0].ny = b.vertices[1].ny = b.vertices[2].ny = 0;
    const Rect r = draw(b);
    ASSERT_FALSE(r.empty());
    EXPECT_GE(r.y1, 32); // below the horizon: y = +5 is down
    EXPECT_GT(countPixels(0xFFFFFF), 0);
}

TEST_F(SoftwareDeviceTest, HugeCoordinatesStayInsideTheTarget)
{
    const Rect r = draw(batchOf({at(-1e7f, -1e7f, 64), at(-1e7f, 1e7f, 64), at(1e7f, 0, 64)}, {0, 1, 2}, white));
    EXPECT_EQ(r, (Rect{0, 0, 63, 63}));
    EXPECT_EQ(countPixels(0xFFFFFF), 64 * 64);
}

TEST_F(SoftwareDeviceTest, ATriangleWithANonFiniteVertexIsDropped)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(draw(batchOf({at(nan, 0, 64), at(0, 10, 64), at(10, 0, 64)}, {0, 1, 2}, white)).empty());
    EXPECT_TRUE(draw(batchOf({at(0, 0, inf), at(0, 10, 64), at(10, 0, 64)}, {0, 1, 2}, white)).empty());
    // Indices past the vertices, or vertices no group processed, draw nothing.
    ExecuteBatch b = square(*this, 0, 0, 4, 64, white);
    b.lists[0].indices.push_back(9);
    b.lists[0].indices.push_back(0);
    b.lists[0].indices.push_back(1);
    b.lists[0].groups[0].count = 3;
    draw(b);
    EXPECT_LT(countPixels(0xFFFFFF), 64);
}

TEST_F(SoftwareDeviceTest, LightsWithAmbientAndOneDirectionalLight)
{
    MaterialDesc m;
    m.ambient = {0.5f, 0.5f, 0.5f, 1};
    m.diffuse = {0.5f, 0.25f, 0, 1};
    const MaterialHandle h = device.createMaterial(m);
    LightDesc light{{0.9f, 0.9f, 0.9f, 1}, {0, 0, 1}}; // straight away from the viewer, onto the face
    device.setLight(&light);
    draw(square(*this, 0, 0, 4, 64, h));
    // 0.5 * 200/255 + 0.5 * 0.9 for red, 0.5 * 200/255 + 0.25 * 0.9 for green.
    EXPECT_EQ(device.target().at(32, 32), packColour(0.5f * 200 / 255.0f + 0.45f, 0.5f * 200 / 255.0f + 0.225f,
                                                     0.5f * 200 / 255.0f));
    // A light from behind adds nothing.
    light.direction = {0, 0, -1};
    device.setLight(&light);
    device.clearDepth(Rect{0, 0, 63, 63});
    draw(square(*this, 0, 0, 4, 64, h));
    EXPECT_EQ(device.target().at(32, 32), packColour(0.5f * 200 / 255.0f, 0.5f * 200 / 255.0f, 0.5f * 200 / 255.0f));
}

TEST_F(SoftwareDeviceTest, ModulatesTheTextureNearestTexel)
{
    Surface s;
    s.width = 2, s.height = 2;
    s.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    const TextureHandle t = device.createTexture(s);
    ASSERT_NE(t, 0u);
    const MaterialHandle m = colourMaterial(1, 1, 1, t);
    draw(square(*this, 0, 0, 16, 64, m, t));
    EXPECT_EQ(device.target().at(20, 20), 0xFF0000u); // top left of the picture at the top left
    EXPECT_EQ(device.target().at(44, 20), 0x00FF00u);
    EXPECT_EQ(device.target().at(20, 44), 0x0000FFu);
    // New pixels of the same size keep the handle; another size is refused.
    s.pixels[0] = 0x123456;
    EXPECT_TRUE(device.loadTexture(t, s));
    Surface bigger;
    bigger.width = 4, bigger.height = 2, bigger.pixels.assign(8, 0);
    EXPECT_FALSE(device.loadTexture(t, bigger));
    device.clearDepth(Rect{0, 0, 63, 63});
    draw(square(*this, 0, 0, 16, 64, m, t));
    EXPECT_EQ(device.target().at(20, 20), 0x123456u);
}

TEST_F(SoftwareDeviceTest, FlatShadingTakesTheFirstVertexColour)
{
    MaterialDesc m;
    m.diffuse = {1, 1, 1, 1};
    const MaterialHandle h = device.createMaterial(m);
    LightDesc light{{1, 1, 1, 1}, {0, 0, 1}};
    device.setLight(&light);
    ExecuteBatch b = batchOf({at(-20, -20, 64), at(-20, 20, 64), at(20, -20, 64)}, {0, 1, 2}, h);
    b.vertices[1].nz = 0; // unlit
    b.vertices[1].nx = 1;
    RenderStates states = device.states();
    states.gouraud = false;
    device.setRenderStates(states);
    draw(b);
    EXPECT_EQ(device.target().at(20, 40), 0xFFFFFFu);
    states.gouraud = true;
    device.setRenderStates(states);
    device.clearDepth(Rect{0, 0, 63, 63});
    draw(b);
    EXPECT_LT(device.target().at(20, 40) & 0xFF, 0xFFu);
}

TEST_F(SoftwareDeviceTest, ZTestCanBeTurnedOff)
{
    draw(square(*this, 0, 0, 8, 50, colourMaterial(1, 0, 0)));
    RenderStates states = device.states();
    states.zEnable = false;
    device.setRenderStates(states);
    draw(square(*this, 0, 0, 8, 100, colourMaterial(0, 1, 0)));
    EXPECT_EQ(device.target().at(32, 32), 0x00FF00u);
}

TEST_F(SoftwareDeviceTest, ClearingPaintsTheBackgroundAndStretchesItsPicture)
{
    Surface s;
    s.width = 2, s.height = 1;
    s.pixels = {0x102030, 0x405060};
    MaterialDesc bg;
    bg.diffuse = bg.ambient = {1, 1, 1, 1};
    bg.texture = device.createTexture(s);
    ASSERT_TRUE(device.setBackground(device.createMaterial(bg)));
    EXPECT_TRUE(device.clearTarget(Rect{-10, -10, 100, 100}));
    EXPECT_EQ(device.target().at(0, 0), 0x102030u);
    EXPECT_EQ(device.target().at(31, 63), 0x102030u);
    EXPECT_EQ(device.target().at(32, 0), 0x405060u);
    MaterialDesc black;
    device.setBackground(device.createMaterial(black));
    device.clearTarget(Rect{0, 0, 3, 3});
    EXPECT_EQ(device.target().at(3, 3), 0u);
    EXPECT_EQ(device.target().at(4, 4), 0x102030u);
}

TEST_F(SoftwareDeviceTest, HandlesAreCheckedAndNeverZero)
{
    const MatrixHandle m = device.createMatrix();
    EXPECT_NE(m, 0u);
    EXPECT_TRUE(device.deleteMatrix(m));
    EXPECT_FALSE(device.deleteMatrix(m));
    EXPECT_FALSE(device.setMatrix(0, identityMatrix()));
    EXPECT_FALSE(device.releaseMaterial(12345));
    EXPECT_EQ(device.createTexture(Surface()), 0u);
    EXPECT_FALSE(device.createTarget(0, 10));
    EXPECT_FALSE(device.setViewport(ViewportDesc{0, 0, 10, 10, 0.0f, 1, 1}));
}

TEST_F(SoftwareDeviceTest, WorldMatricesMoveTheirGroups)
{
    Mat4 shift = identityMatrix();
    shift.m[3][0] = 16; // 16 pixels right at z = 64
    device.setMatrix(world, shift);
    const Rect r = draw(square(*this, 0, 0, 4, 64, white));
    EXPECT_EQ(r, (Rect{44, 28, 51, 35}));
}

} // namespace
} // namespace quillo::engine3d::test
