#include <gtest/gtest.h>

#include "engine3d/engine_errors.h"
#include "model/messages.h"

namespace quillo::engine3d {
namespace {

TEST(EngineErrors, NumbersAreFullWidthAndNameTheFunction)
{
    EXPECT_EQ(fullWidthNumber(0), "０");
    EXPECT_EQ(fullWidthNumber(42), "４２");
    EXPECT_EQ(d3dErrorText(12, "setviewport"), "Ｄ３Ｄエラー１２\nsetviewport関数");
    EXPECT_EQ(newErrorText(16, "BLOCK::~BLOCK"), "ＮＥＷエラー１６\nBLOCK::~BLOCK関数");
}

TEST(EngineErrors, EachMessageIsShownOncePerRun)
{
    resetReportedErrors();
    MessageLog log;
    for (int frame = 0; frame < 5; ++frame) {
        d3dError(43, "rend");
        newError(10, "EXBC::draw");
    }
    d3dError(44, "rend");
    ASSERT_EQ(log.messages.size(), 3u);
    EXPECT_EQ(log.messages[0], "Ｄ３Ｄエラー４３\nrend関数");
    EXPECT_EQ(log.messages[1], "ＮＥＷエラー１０\nEXBC::draw関数");
    resetReportedErrors();
    d3dError(43, "rend");
    EXPECT_EQ(log.messages.size(), 4u);
}

} // namespace
} // namespace quillo::engine3d
