#include "platform/pose_steps.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillo;

namespace {

// Two editors' numbers: the rules must follow the ids they are given.
const PoseCommandIds modelIds{615, 614, 617, 616, 612, 613, 606, 607, 608, 609, 610, 611, 600, 514,
                              1200, 1201, 1202, 1203, 1210, 1204, 1205, 1206, 1207, 1208, 1209};
const PoseCommandIds animeIds{615, 614, 617, 616, 612, 613, 606, 607, 608, 609, 610, 611, 600, 591,
                              702, 703, 704, 705, 706, 707, 708, 709, 710, 711, 712};

} // namespace

TEST(PoseSteps, StepSizes)
{
    EXPECT_FLOAT_EQ(moveDistance(1, 0.0125f), 0.0125f);
    EXPECT_FLOAT_EQ(moveDistance(6, 0.0125f), 3125 * 0.0125f);
    EXPECT_FLOAT_EQ(rotationAngle(1), float(M_PI / 960));
    EXPECT_FLOAT_EQ(rotationAngle(6), float(32 * M_PI / 960)); // 6 degrees
}

TEST(PoseSteps, EachPoseCommandChangesOneValueByOneStep)
{
    struct Case {
        int command;
        WorkingPose expected;
    };
    const Case cases[] = {
        {615, {2, 0, 0, 0, 0, 0}},  {614, {-2, 0, 0, 0, 0, 0}}, {617, {0, 2, 0, 0, 0, 0}},
        {616, {0, -2, 0, 0, 0, 0}}, {612, {0, 0, 2, 0, 0, 0}},  {613, {0, 0, -2, 0, 0, 0}},
        {606, {0, 0, 0, 3, 0, 0}},  {607, {0, 0, 0, -3, 0, 0}}, {608, {0, 0, 0, 0, 0, -3}},
        {609, {0, 0, 0, 0, 0, 3}},  {610, {0, 0, 0, 0, -3, 0}}, {611, {0, 0, 0, 0, 3, 0}},
    };
    for (const Case& c : cases) {
        WorkingPose p;
        ASSERT_TRUE(stepPose(p, c.command, modelIds, 2.0f, 3.0f)) << c.command;
        const WorkingPose& e = c.expected;
        EXPECT_TRUE(p.x == e.x && p.y == e.y && p.z == e.z && p.a == e.a && p.b == e.b && p.c == e.c) << c.command;
    }
    WorkingPose p;
    EXPECT_FALSE(stepPose(p, 600, modelIds, 2.0f, 3.0f));
    EXPECT_EQ(p.x, 0.0f);
}

TEST(PoseSteps, DragsMoveATenthAndTurnAFifthOfAStepPerPixel)
{
    for (const PoseCommandIds* ids : {&modelIds, &animeIds}) {
        WorkingPose p;
        EXPECT_TRUE(dragPose(p, ids->horizontalX, ids->verticalZ, 10, 5, *ids, 2.0f, 3.0f));
        EXPECT_FLOAT_EQ(p.x, 2.0f);  // 10 px x 2 x 0.1
        EXPECT_FLOAT_EQ(p.z, -1.0f); // Z goes against the mouse
        p = {};
        EXPECT_TRUE(dragPose(p, ids->horizontalBank, ids->verticalTurn, 10, 5, *ids, 2.0f, 3.0f));
        EXPECT_FLOAT_EQ(p.b, 6.0f);  // 10 px x 3 x 0.2
        EXPECT_FLOAT_EQ(p.a, -3.0f); // the vertical turn goes against the mouse too
        p = {};
        EXPECT_TRUE(dragPose(p, ids->horizontalTurn, ids->verticalNone, 10, 5, *ids, 2.0f, 3.0f));
        EXPECT_FLOAT_EQ(p.c, 6.0f);
        EXPECT_FALSE(dragPose(p, ids->horizontalNone, ids->verticalNone, 10, 5, *ids, 2.0f, 3.0f));
        EXPECT_FALSE(dragPose(p, 0, 0, 10, 5, *ids, 2.0f, 3.0f));
    }
}

TEST(PoseSteps, StepChoicesFollowTheEditorsNumbers)
{
    int move = 6, rot = 6, horizontal = 0, vertical = 0;
    EXPECT_TRUE(chooseStep(591, animeIds, move, rot, horizontal, vertical));
    EXPECT_EQ(rot, 1);
    EXPECT_FALSE(chooseStep(514, animeIds, move, rot, horizontal, vertical)); // the model editor's number
    EXPECT_TRUE(chooseStep(519, modelIds, move, rot, horizontal, vertical));
    EXPECT_EQ(rot, 6);
    EXPECT_TRUE(chooseStep(602, modelIds, move, rot, horizontal, vertical));
    EXPECT_EQ(move, 3);
    EXPECT_FALSE(chooseStep(606, modelIds, move, rot, horizontal, vertical));
    EXPECT_TRUE(chooseStep(712, animeIds, move, rot, horizontal, vertical));
    EXPECT_TRUE(chooseStep(702, animeIds, move, rot, horizontal, vertical));
    EXPECT_EQ(horizontal, 712);
    EXPECT_EQ(vertical, 702);
}

TEST(PoseSteps, ZoomAndTypedNumbers)
{
    EXPECT_EQ(zoomUp(256), 512);
    EXPECT_EQ(zoomUp(1 << 29), 1 << 29); // never overflows
    EXPECT_EQ(zoomUp(-(1 << 28)), -(1 << 29));
    EXPECT_EQ(zoomDown(3), 1);
    EXPECT_EQ(zoomDown(1), 1); // never reaches 0
    EXPECT_EQ(zoomDown(-1), -1);

    int32_t zoom = 256;
    zoomFromAnswer("1.5x", zoom); // "%g" reads the number at the start
    EXPECT_EQ(zoom, 384);
    for (const char* unchanged : {"", "abc", "0.001", "nan", "inf"}) {
        zoomFromAnswer(unchanged, zoom);
        EXPECT_EQ(zoom, 384) << unchanged;
    }
    zoomFromAnswer("1e30", zoom); // saturates instead of overflowing
    EXPECT_EQ(zoom, INT32_MAX);

    float step = 0.0125f;
    bool refused = false;
    EXPECT_TRUE(readScaleFactor("0.025", step, refused));
    EXPECT_FLOAT_EQ(step, 0.025f);
    for (const char* bad : {"0", "-1", "1e-50", "nan", "inf", "-inf", "1e400"}) {
        EXPECT_FALSE(readScaleFactor(bad, step, refused));
        EXPECT_TRUE(refused) << bad;
    }
    EXPECT_FALSE(readScaleFactor("x", step, refused));
    EXPECT_FALSE(refused); // no number: nothing to refuse, nothing said
    EXPECT_FLOAT_EQ(step, 0.025f);
}
