#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "device_fixture.h"
#include "engine3d/block.h"
#include "engine3d/objct.h"
#include "model/pose_math.h"

namespace quillo::engine3d::test {
namespace {

constexpr float pi = 3.1415927f;

class BlockTest : public DeviceFixture {};

void expectMatrix(const Mat4& m, const Mat4& expected, float tolerance = 1e-5f)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(m.m[i][j], expected.m[i][j], tolerance) << i << "," << j;
}

TEST_F(BlockTest, EveryKindIsTheIdentityWithAllAnglesZero)
{
    BLOCK block(device);
    JOINT joint(device, 3, -4, 5);
    block.place(0, 0, 0, 0, 0, 0);
    joint.place(9, 9, 9, 0, 0, 0);
    expectMatrix(block.matrix, identityMatrix(), 0);
    expectMatrix(joint.matrix, identityMatrix(), 0); // translation (0, 0, 0) whatever the pivot
    Mat4 loaded;
    ASSERT_TRUE(device.getMatrix(block.matrixHandle, loaded));
    EXPECT_NE(block.matrixHandle, 0u);
}

TEST_F(BlockTest, TheRotationIsZXYForNodesAndYXZForTheCamera)
{
    BLOCK node(device);
    node.place(1, 2, 3, 0.3f, -0.7f, 1.1f);
    Mat4 expected = identityMatrix();
    const Matrix3 r = turnZ(-0.7f) * turnX(0.3f) * turnY(1.1f);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) expected.m[i][j] = r.m[i][j];
    expected.m[3][0] = 1, expected.m[3][1] = 2, expected.m[3][2] = 3;
    expectMatrix(node.matrix, expected);

    CAM cam(device, view);
    cam.place(0, 0, 0, 0.3f, -0.7f, 1.1f);
    const Matrix3 c = turnY(1.1f) * turnX(0.3f) * turnZ(-0.7f);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(cam.matrix.m[i][j], c.m[i][j], 1e-6f);
}

TEST_F(BlockTest, AJointTurnsAboutItsPivot)
{
    JOINT joint(device, 10, 20, 30);
    joint.place(0, 0, 0, 0, pi / 2, 0);
    const Vec3f pivot = transformPoint({10, 20, 30}, joint.matrix);
    EXPECT_NEAR(pivot.x, 10, 1e-4f);
    EXPECT_NEAR(pivot.y, 20, 1e-4f);
    EXPECT_NEAR(pivot.z, 30, 1e-4f);
    // A point one unit along x from the pivot turns a quarter about z.
    const Vec3f p = transformPoint({11, 20, 30}, joint.matrix);
    EXPECT_NEAR(p.x, 10, 1e-4f);
    EXPECT_NEAR(std::abs(p.y - 20), 1, 1e-4f);
    EXPECT_EQ(joint.position[0], 10); // the pivot stays
}

TEST_F(BlockTest, TheCameraStartsAtMinus175AndMakesTheStartView)
{
    Mat4 start = identityMatrix();
    start.m[3][2] = 175;
    device.setMatrix(view, start);
    CAM cam(device, view);
    EXPECT_EQ(cam.position[2], -175.0f);
    EXPECT_EQ(cam.zoom, 256);
    Mat4 loaded;
    ASSERT_TRUE(device.getMatrix(view, loaded));
    expectMatrix(loaded, start, 0);
    // Moving the camera to (0, 0, 175) puts the view translation at -175.
    cam.place(0, 0, 175, 0, 0, 0);
    device.getMatrix(view, loaded);
    EXPECT_EQ(loaded.m[3][2], -175.0f);
}

TEST_F(BlockTest, PosesStoreAndLoadAsLittleEndianFloatsWithinBounds)
{
    BLOCK block(device);
    block.place(1.5f, -2, 3, 0.25f, 0.5f, -0.75f);
    std::vector<unsigned char> bytes(30, 0xAA);
    PoseWriter w{bytes.data(), bytes.data() + 24};
    ASSERT_TRUE(block.storePose(w));
    EXPECT_EQ(w.at, bytes.data() + 24);
    EXPECT_EQ(bytes[24], 0xAA);
    EXPECT_EQ(getFloat(bytes.data() + 4), -2.0f);
    EXPECT_EQ(bytes[0], 0x00); // 1.5f = 0x3FC00000, low byte first
    EXPECT_EQ(bytes[3], 0x3F);

    BLOCK other(device);
    PoseReader shortRecord{bytes.data(), bytes.data() + 23};
    EXPECT_FALSE(other.loadPose(shortRecord));
    EXPECT_EQ(shortRecord.at, bytes.data());
    EXPECT_EQ(other.position[0], 0.0f);
    PoseReader r{bytes.data(), bytes.data() + 24};
    ASSERT_TRUE(other.loadPose(r));
    EXPECT_EQ(other.angles[2], -0.75f);
    expectMatrix(other.matrix, block.matrix, 0);

    JOINT joint(device, 1, 1, 1);
    EXPECT_EQ(joint.poseSize(), 12);
    PoseWriter small{bytes.data(), bytes.data() + 11};
    EXPECT_FALSE(joint.storePose(small));
    joint.place(7, 7, 7, 0.1f, 0.2f, 0.3f);
    PoseWriter jw{bytes.data(), bytes.data() + 12};
    ASSERT_TRUE(joint.storePose(jw));
    EXPECT_EQ(getFloat(bytes.data()), 0.1f);
    EXPECT_EQ(joint.position[0], 1.0f);
}

TEST_F(BlockTest, BlendingWritesTheHalfwayPose)
{
    std::vector<unsigned char> a(24), b(24), n(24);
    BLOCK block(device);
    block.place(0, 10, -4, 0.2f, 0, 0);
    PoseWriter wa{a.data(), a.data() + 24};
    block.storePose(wa);
    block.place(2, 20, 4, 0.4f, 0, 0);
    PoseWriter wb{b.data(), b.data() + 24};
    block.storePose(wb);
    PoseWriter out{n.data(), n.data() + 24};
    PoseReader ra{a.data(), a.data() + 24}, rb{b.data(), b.data() + 24};
    ASSERT_TRUE(block.blendPose(out, ra, rb));
    EXPECT_EQ(getFloat(n.data()), 1.0f);
    EXPECT_EQ(getFloat(n.data() + 4), 15.0f);
    EXPECT_EQ(getFloat(n.data() + 8), 0.0f);
    EXPECT_NEAR(getFloat(n.data() + 12), 0.3f, 1e-5f);
    EXPECT_EQ(ra.at, a.data() + 24);
    PoseReader shortA{a.data(), a.data() + 20};
    PoseWriter again{n.data(), n.data() + 24};
    EXPECT_FALSE(block.blendPose(again, shortA, rb));
}

TEST_F(BlockTest, TurnPoseTurnsAboutTheNodesOwnAxes)
{
    BLOCK node(device);
    node.place(0, 0, 0, 0, pi / 2, 0); // twisted a quarter
    node.turnPose(0, 0, 0, 0.3f, pi / 2, 0);
    const PoseAngles expected = turnedAngles({0, pi / 2, 0}, {0.3f, pi / 2, 0});
    EXPECT_EQ(node.angles[0], expected.a);
    EXPECT_EQ(node.angles[1], expected.b);
    EXPECT_EQ(node.angles[2], expected.c);
    // The camera is placed directly.
    CAM cam(device, view);
    cam.turnPose(1, 2, 3, 0.3f, 0.2f, 0.1f);
    EXPECT_EQ(cam.angles[0], 0.3f);
    EXPECT_EQ(cam.angles[1], 0.2f);
}

TEST_F(BlockTest, WorldMatricesChainDownThePartTree)
{
    OBJCT object(device, true);
    object.place(0, 0, 100, 0, 0, 0);
    auto* child = new JOINT(device, 10, 0, 0);
    object.rootPart->children.append(child);
    auto* nested = new OBJCT(device, false);
    nested->place(0, 5, 0, 0, 0, 0);
    child->subObjects.append(nested);
    child->place(0, 0, 0, 0, pi / 2, 0);
    updateWorld(object);
    // The child's pivot lands at (10, 0, 100); the nested object's origin turns with it.
    const Vec3f pivot = transformPoint({10, 0, 0}, child->world);
    EXPECT_NEAR(pivot.x, 10, 1e-4f);
    EXPECT_NEAR(pivot.z, 100, 1e-4f);
    Mat4 loaded;
    ASSERT_TRUE(device.getMatrix(nested->matrixHandle, loaded));
    expectMatrix(loaded, nested->world);
    const Vec3f origin = transformPoint({0, 0, 0}, nested->world);
    const Vec3f expected = transformPoint({0, 5, 0}, child->world);
    EXPECT_NEAR(origin.x, expected.x, 1e-4f);
    EXPECT_NEAR(origin.y, expected.y, 1e-4f);
}

TEST_F(BlockTest, AnObjectsPoseSizeCountsItsParts)
{
    OBJCT object(device, true);
    object.rootPart->children.append(new JOINT(device, 0, 0, 0));
    object.partList.append(object.rootPart);
    object.partList.append(object.rootPart->children[0]);
    EXPECT_EQ(objectPoseSize(object), 24 + 24 + 12);
}

TEST_F(BlockTest, SetLightPointsTheLight)
{
    CAM cam(device, view);
    MaterialDesc m;
    m.diffuse = {1, 1, 1, 1};
    const MaterialHandle h = device.createMaterial(m);
    device.setAmbient(0);
    // Straight along +z: e = 0, a = pi -> direction (0, 0, 1), onto a face whose normal is +z.
    cam.setlight(0, pi);
    ExecuteBatch b = batchOf({{-5, -5, 64, 0, 0, 1, 0, 0}, {-5, 5, 64, 0, 0, 1, 0, 0}, {5, -5, 64, 0, 0, 1, 0, 0}},
                             {0, 1, 2}, h);
    Mat4 id = identityMatrix();
    device.setMatrix(view, id);
    draw(b);
    EXPECT_EQ(device.target().at(29, 29), 0x000000u); // the light falls on the back: nothing but the (zero) ambient
    cam.setlight(0, 0); // direction (0, 0, -1)
    device.setMatrix(view, id);
    device.clearDepth(Rect{0, 0, 63, 63});
    draw(b);
    EXPECT_EQ(device.target().at(29, 29), packColour(0.9f, 0.9f, 0.9f));
}

} // namespace
} // namespace quillo::engine3d::test
