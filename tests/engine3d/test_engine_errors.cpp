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

// The saver's wording, set for one test and put back.
struct SaverWording {
    SaverWording() { setErrorWording(ErrorWording::saver); }
    ~SaverWording() { setErrorWording(ErrorWording::animator); }
};

TEST(EngineErrors, TheSaverWordsTheDeviceLayersFailuresAsItsOwn)
{
    SaverWording saver;
    const struct {
        int number;
        const char* function;
        const char* text;
    } cases[] = {
        {12, "setviewport", "ＳＡＶＥＲエラー１２\nsetviewport関数"},
        {14, "createdevice", "ＳＡＶＥＲエラー１４\ncreatedevice関数"},
        {20, "createviewport", "ＳＡＶＥＲエラー２０\ncreateviewport関数"},
        {21, "createviewport", "ＳＡＶＥＲエラー２１\ncreateviewport関数"},
        {24, "creabackbuff", "ＳＡＶＥＲエラー２４\ncreabackbuff関数"},
        {25, "winit", "ＳＡＶＥＲエラー２５\nwinit"},
        {28, "ddinit", "ＳＡＶＥＲエラー２８"},
        {32, "ddinit", "ＳＡＶＥＲエラー３２"},
        {29, "ddinit", "ＳＡＶＥＲエラー２９"},
        {31, "ddinit", "ＳＡＶＥＲエラー３１"},
        {33, "ddinit", "ＳＡＶＥＲエラー３３"},
        {35, "ddinit", "ＳＡＶＥＲエラー３５"},
        {36, "setstate", "ＳＡＶＥＲエラー３６\nsetstate関数"},
        {44, "rend", "ＳＡＶＥＲエラー４４\nrend関数"},
        {3, "loadtexture", "Ｄ３Ｄエラー３\nloadtexture関数"}, // textures keep the engine's word
        {15, "loadsurface", "Ｄ３Ｄエラー１５\nloadsurface関数"},
        {11, "reloadtexture", "Ｄ３Ｄエラー１１\nreloadtexture関数"},
    };
    for (const auto& c : cases) EXPECT_EQ(d3dErrorText(c.number, c.function), c.text) << c.number;
    EXPECT_EQ(noDeviceText(), "Direct3D使用不能");
}

TEST(EngineErrors, SetupFailuresGoToTheSinksOwnChannel)
{
    struct Drawn : MessageLog {
        void setupFailure(const std::string& text) override { drawn.push_back(text); }
        std::vector<std::string> drawn;
    } sink;
    setupFailure(noDeviceText());
    ASSERT_EQ(sink.drawn.size(), 1u);
    EXPECT_EQ(sink.drawn[0], "Ｄｉｒｅｃｔ３Ｄが使用できません");
    EXPECT_TRUE(sink.messages.empty());

    MessageLog plain; // an editor's sink: a message box
    setupFailure("ＳＡＶＥＲエラー３４");
    ASSERT_EQ(plain.messages.size(), 1u);
    EXPECT_EQ(plain.messages[0], "ＳＡＶＥＲエラー３４");
}

} // namespace
} // namespace quillo::engine3d
