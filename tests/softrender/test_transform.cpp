#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/model.h"
#include "softrender/transform.h"

using namespace quillo;

namespace {

constexpr double pi = 3.14159265358979323846;

TransformBlock block(int32_t m00 = 2048, int32_t m01 = 0, int32_t m10 = 0, int32_t m11 = 2048, int32_t tz = 0)
{
    TransformBlock b{};
    b.m[0][0] = m00;
    b.m[0][1] = m01;
    b.m[1][0] = m10;
    b.m[1][1] = m11;
    b.m[2][2] = 2048;
    b.t[2] = tz;
    b.light[0] = 127;
    b.light[1] = 180;
    b.light[2] = 127;
    return b;
}

// A vertex at grid coordinates owned by `owner`, with a normal x 255.
Vertex gridVertex(int gx, int gy, int gz, TransformBlock* owner, int inx = 0, int iny = 0, int inz = 0)
{
    Vertex v = makeVertex(0, 0, 0);
    v.gx = gx, v.gy = gy, v.gz = gz;
    v.ownerCopy = owner;
    v.inx = inx, v.iny = iny, v.inz = inz;
    return v;
}

void project(std::vector<Vertex*> vertices) { projectAll(vertices, projectionFor(640, 480, 256)); }

struct RealMatrix {
    double m[3][3];
};

RealMatrix operator*(const RealMatrix& l, const RealMatrix& r)
{
    RealMatrix o{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) o.m[i][j] += l.m[i][k] * r.m[k][j];
    return o;
}

RealMatrix turnX(double t) { return {{{1, 0, 0}, {0, std::cos(t), -std::sin(t)}, {0, std::sin(t), std::cos(t)}}}; }
RealMatrix turnY(double t) { return {{{std::cos(t), 0, std::sin(t)}, {0, 1, 0}, {-std::sin(t), 0, std::cos(t)}}}; }
RealMatrix turnZ(double t) { return {{{std::cos(t), std::sin(t), 0}, {-std::sin(t), std::cos(t), 0}, {0, 0, 1}}}; }
RealMatrix pose(const ModelNode& n) { return turnZ(n.angles[1]) * turnX(n.angles[0]) * turnY(n.angles[2]); }

} // namespace

TEST(Projection, ParametersFollowTheFrameSizeAndZoom)
{
    const Projection p = projectionFor(640, 480, 256);
    EXPECT_EQ(p.cx, 213);
    EXPECT_EQ(p.cy, 240);
    EXPECT_EQ(p.scale, 1024);
    EXPECT_EQ(projectionFor(1600, 1200, 256).scale, 2560);
    EXPECT_EQ(projectionFor(1920, 480, 256).scale, 1024); // wide: the height decides
    EXPECT_EQ(projectionFor(640, 480, 300).scale, 1200);
    EXPECT_EQ(projectionFor(16384, 16384, INT32_MAX).scale, INT32_MAX); // saturates instead of wrapping
}

TEST(WorldTransform, ViewObjectsAndPartsCompose)
{
    // The default view puts the model origin 175 / dt grid units ahead, at the centre.
    ModelDocument document;
    auto* object = new ModelObject(true);
    document.objects.append(object);
    object->place(0, 0, 10.0f, 0, 0, 0);
    auto* child = new ModelPart(true);
    object->rootPart->children.append(child);
    child->place(1.0f, 0, 0, 0, 0, float(pi / 2)); // turns 90 degrees about Y at its pivot x = 80
    auto* embedded = new ModelObject(false);
    child->objects.append(embedded);
    embedded->place(0, 2.0f, 0, 0, 0, 0);
    updateWorld(document);
    EXPECT_EQ(object->world.t[2], 14000 + 800);
    EXPECT_EQ(object->rootPart->world.t[2], 14800);

    Vertex pivot = gridVertex(80, 0, 0, &child->world), beside = gridVertex(80, 0, 40, &child->world);
    Vertex inEmbedded = gridVertex(0, 0, 0, &embedded->rootPart->world);
    project({&pivot, &beside, &inEmbedded});
    EXPECT_NEAR(pivot.vx, 80, 1);
    EXPECT_EQ(pivot.sx, 213 + 80 * 1024 / 14800);
    EXPECT_NEAR(beside.vx, 80 - 40, 1); // (0, 0, 40) from the pivot turns to (-40, 0, 0)
    EXPECT_EQ(inEmbedded.vy, 160);      // embedded objects move with their part
    EXPECT_EQ(inEmbedded.sy, 240 + 160 * 1024 / 14800);
}

TEST(WorldTransform, LightTurnsIntoTheNodeFrame)
{
    ModelDocument document;
    ModelObject object(true);
    object.place(0, 0, 0, 0, 0, float(pi / 2));
    composeWorld(object, document.local, object.world);
    ASSERT_EQ(object.sinCos[4], 2047); // sin(float(pi / 2)) x 2048 truncates
    EXPECT_EQ(object.world.light[0], (2047 * 127) >> 11);
    EXPECT_EQ(object.world.light[1], 180);
    EXPECT_EQ(object.world.light[2], (-2047 * 127) >> 11);

    // For any pose and rotation order, a normal n lit by the node's light
    // matches n turned by the node's rotation lit by the parent's.
    std::mt19937 random(11);
    std::uniform_real_distribution<float> angle(-3.0f, 3.0f);
    for (int order = 0; order < 3; ++order)
        for (int i = 0; i < 20; ++i) {
            ModelPart part(false);
            part.rotationOrder = order;
            part.place(0, 0, 0, angle(random), angle(random), angle(random));
            composeWorld(part, document.local, part.world);
            const double n[3] = {0.3 * 255, -0.5 * 255, 0.81 * 255};
            double inNode = 0, inParent = 0;
            for (int j = 0; j < 3; ++j) {
                double turned = 0;
                for (int k = 0; k < 3; ++k) turned += n[k] * part.local.m[k][j] / 2048.0;
                inNode += n[j] * part.world.light[j];
                inParent += turned * document.local.light[j];
            }
            EXPECT_NEAR(inNode, inParent, 0.03 * 255 * 255) << order << " " << i;
        }
}

TEST(Projection, LargeModelsUse64BitProductsAndSaturate)
{
    TransformBlock b = block(1448, 1448, -1448, 1448, 14000); // about 45 degrees about Z
    Vertex v = gridVertex(5000000, -3000000, 2000000, &b);     // 32-bit products would wrap
    project({&v});
    EXPECT_EQ(v.vx, int32_t((int64_t(5000000) * 1448 + int64_t(-3000000) * -1448) >> 11));
    EXPECT_EQ(v.vy, int32_t((int64_t(5000000) * 1448 + int64_t(-3000000) * 1448) >> 11));
    EXPECT_EQ(v.vz, int32_t((1.0 / 2014000) * 268435456.0));
    EXPECT_EQ(v.sx, 213 + int32_t(double(int64_t(v.vx) * 1024) * (1.0 / 2014000)));
    TransformBlock shifted = block(2048, 0, 0, 2048, 0);
    shifted.t[0] = 1000;
    Vertex far = gridVertex(INT32_MAX, INT32_MAX, 100, &shifted);
    project({&far});
    EXPECT_EQ(far.vx, INT32_MAX); // not wrapped to a negative value
}

TEST(Projection, LightComesFromTheNormals)
{
    TransformBlock b = block(2048, 0, 0, 2048, 14000);
    Vertex facing = gridVertex(0, 0, 0, &b, 127, 180, 127), away = gridVertex(0, 0, 0, &b, -127, -180, -127);
    Vertex none = gridVertex(0, 0, 0, &b);
    project({&facing, &away, &none});
    EXPECT_EQ(facing.light, (64658 >> 7) + 510);
    EXPECT_EQ(facing.light >> 4, 63);
    EXPECT_EQ(away.light, 510 + ((-64658) >> 7));
    EXPECT_EQ(none.light, 510); // a zero normal gives the middle light
    b.light[0] = 100000;         // a wild light vector still stays inside the levels
    project({&facing, &away});
    EXPECT_EQ(facing.light, 1023);
    EXPECT_EQ(away.light, 0);
}

TEST(Projection, VerticesNotInFrontOfTheEyeAreNotPlaced)
{
    TransformBlock b = block();
    Vertex behind = gridVertex(10, 10, -100, &b), atEye = gridVertex(10, 10, 0, &b);
    Vertex farBehind = gridVertex(0, 0, -400000000, &b), farAhead = gridVertex(0, 0, 400000000, &b);
    Vertex unowned = gridVertex(0, 0, 100, nullptr);
    project({&behind, &atEye, &farBehind, &farAhead, &unowned});
    EXPECT_LT(behind.vz, 0);
    EXPECT_EQ(behind.sx, 0x80000);
    EXPECT_EQ(behind.sy, 0x80000);
    EXPECT_EQ(atEye.vz, 0x7FFFFFFF);
    EXPECT_EQ(atEye.sx, 0x80000);
    EXPECT_EQ(farBehind.vz, -1); // beyond 2^28 behind the eye it stays behind
    EXPECT_EQ(farAhead.vz, 0);   // and beyond 2^28 ahead it is far in front, still placed
    EXPECT_EQ(farAhead.sx, 213);
    EXPECT_LT(unowned.vz, 0);
    EXPECT_EQ(unowned.sx, 0x80000);
}

TEST(TurnPose, TurnsObjectsAndPartsAboutTheirOwnAxes)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> angle(-1.2f, 1.2f);
    for (int i = 0; i < 30; ++i) {
        ModelPart part(false);
        part.place(0, 0, 0, angle(random), angle(random), angle(random));
        const RealMatrix before = pose(part);
        const float da = i % 3 == 0 ? 0.3f : 0, db = i % 3 == 1 ? -0.4f : 0, dc = i % 3 == 2 ? 0.5f : 0;
        turnPose(part, 1.0f, 2.0f, 3.0f, part.angles[0] + da, part.angles[1] + db, part.angles[2] + dc);
        const RealMatrix expected = turnY(dc) * turnZ(db) * turnX(da) * before;
        const RealMatrix after = pose(part);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(after.m[r][c], expected.m[r][c], 1e-4) << i;
        EXPECT_EQ(part.position[2], 3.0f);
    }
    // Turned a quarter up about X, b folds into c.
    ModelPart part(false);
    part.place(0, 0, 0, 0, 0, 0.2f);
    turnPose(part, 0, 0, 0, float(pi / 2), 0, 0.2f);
    EXPECT_NEAR(part.angles[0], pi / 2, 1e-3);
    EXPECT_EQ(part.angles[1], 0.0f);
    // The view (rotation order 1) is simply placed.
    ModelDocument view;
    turnPose(view, 0, 0, -100.0f, 0.5f, 0.25f, 0.125f);
    EXPECT_EQ(view.angles[0], 0.5f);
    EXPECT_EQ(view.angles[2], 0.125f);
}
