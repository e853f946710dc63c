#include <gtest/gtest.h>

#include <utility>

#include "engine3d/dirty_rects.h"
#include "engine3d/software_device.h"
#include "engine_fixture.h"
#include "support/bmp_writer.h"

namespace quillo::engine3d::test {
namespace {

TEST(DirtyRects, GrowTheFirstTouchingRectangleAndIgnoreEmptyExtents)
{
    DirtyRects d(100, 100);
    d.add(Rect{10, 10, 20, 20});
    d.add(Rect{21, 15, 30, 18}); // touches on the right
    d.add(Rect{5, 5, 4, 9});     // empty
    d.add(Rect{50, 50, 60, 60});
    ASSERT_EQ(d.rects().size(), 2u);
    EXPECT_EQ(d.rects()[0], (Rect{10, 10, 30, 20}));
    d.add(Rect{-20, 90, 5, 200}); // clipped to the target
    EXPECT_EQ(d.rects()[2], (Rect{0, 90, 5, 99}));
    d.add(Rect{200, 200, 300, 300}); // wholly outside: nothing
    EXPECT_EQ(d.rects().size(), 3u);
}

TEST(DirtyRects, TheTwentiethSeparateExtentGrowsTheFirst)
{
    DirtyRects d(1000, 1000);
    for (int i = 0; i < 19; ++i) d.add(Rect{i * 10, 0, i * 10 + 5, 5});
    ASSERT_EQ(d.rects().size(), 19u);
    d.add(Rect{500, 500, 510, 510});
    ASSERT_EQ(d.rects().size(), 19u);
    EXPECT_EQ(d.rects()[0], (Rect{0, 0, 510, 510}));
}

TEST(DeviceLayerMaths, ViewportScaleAndSizeLadder)
{
    EXPECT_EQ(viewportScale(640, 480, 256), 960);
    EXPECT_EQ(viewportScale(640, 480, 1), 3);
    EXPECT_EQ(viewportScale(10, 10, 1), 1); // kept at least 1
    EXPECT_EQ(viewportScale(16384, 16384, INT32_MAX), INT32_MAX);
    struct Step {
        int w, h, nw, nh;
    } steps[] = {{1600, 1200, 1280, 1024}, {1280, 1024, 1024, 768}, {1024, 768, 800, 600}, {800, 600, 640, 480},
                 {640, 480, 320, 200}};
    for (const Step& s : steps) {
        int32_t w = s.w, h = s.h;
        ASSERT_TRUE(nextSmallerSize(w, h));
        EXPECT_EQ(std::make_pair(w, h), std::make_pair(s.nw, s.nh));
    }
    int32_t w = 320, h = 200;
    EXPECT_FALSE(nextSmallerSize(w, h));
}

using DeviceLayerTest = EngineFixture;

TEST_F(DeviceLayerTest, SetviewportFollowsTheZoomAndIgnoresZoomsBelowOne)
{
    start(640, 480);
    EXPECT_EQ(layer->viewport().scale, 960.0f);
    EXPECT_FLOAT_EQ(layer->viewport().maxX, 640.0f / 960.0f / 2.0f);
    EXPECT_TRUE(layer->setviewport(128));
    EXPECT_EQ(layer->viewport().scale, 480.0f);
    EXPECT_FALSE(layer->setviewport(0));
    EXPECT_FALSE(layer->setviewport(-5));
    EXPECT_EQ(layer->viewport().scale, 480.0f);
}

TEST_F(DeviceLayerTest, ResizeMakesTheTargetAgainAndKeepsTheOldSizeWhenTheNewOneFails)
{
    start(640, 480);
    frame();
    ASSERT_TRUE(layer->setviewport(128));
    ASSERT_TRUE(layer->resize(300, 700)); // a window may grow beyond the start-up size
    const auto targetSize = [&] {
        return std::make_pair(layer->device().target().width, layer->device().target().height);
    };
    EXPECT_EQ(targetSize(), std::make_pair(300, 700));
    EXPECT_EQ(layer->viewport().scale, 300.0f); // min(300, 700) * 128 / 128: the zoom stays
    frame();
    ASSERT_EQ(layer->presented().size(), 1u); // drawn whole
    EXPECT_EQ(layer->presented()[0], (Rect{0, 0, 299, 699}));
    EXPECT_FALSE(layer->resize(SoftwareDevice::maxSide + 1, 240));
    EXPECT_EQ(layer->width(), 300);
    EXPECT_EQ(targetSize(), std::make_pair(300, 700));
    EXPECT_EQ(layer->viewport().scale, 300.0f);
    ASSERT_TRUE(layer->resize(-4, 0)); // at least 10 x 10
    EXPECT_EQ(targetSize(), std::make_pair(10, 10));
}

TEST_F(DeviceLayerTest, StartUpStepsDownTheLadderAndFailsBelow320)
{
    // A device that cannot make targets wider than 700 pixels.
    struct Narrow : SoftwareDevice {
        bool createTarget(int32_t w, int32_t h) override { return w <= 700 && SoftwareDevice::createTarget(w, h); }
    };
    std::vector<DeviceTableEntry> narrow{{DeviceInfo{"narrow", false, 0}, []() -> std::unique_ptr<Device> { return std::make_unique<Narrow>(); }}};
    DeviceLayer l;
    EngineSettings s;
    s.maxWidth = 1600, s.maxHight = 1200;
    ASSERT_TRUE(l.ddinit(s, &text, &narrow));
    EXPECT_EQ(std::make_pair(l.width(), l.height()), std::make_pair(640, 480));
    EXPECT_TRUE(log.messages.empty());

    std::vector<DeviceTableEntry> none{{DeviceInfo{"none", false, 0}, []() -> std::unique_ptr<Device> { return nullptr; }}};
    DeviceLayer failing;
    EXPECT_FALSE(failing.ddinit(s, &text, &none));
    ASSERT_FALSE(log.messages.empty());
    EXPECT_EQ(log.messages.back(), "Ｄ３Ｄエラー３５\nddinit関数");
    // The numbered device error is shown once, not once per attempt.
    int fourteen = 0;
    for (const std::string& m : log.messages) fourteen += m == "Ｄ３Ｄエラー１４\ncreatedevice関数";
    EXPECT_EQ(fourteen, 1);
}

TEST_F(DeviceLayerTest, ADriverBeyondTheTableBecomesZero)
{
    DeviceLayer l;
    EngineSettings s;
    s.driver = 7;
    ASSERT_TRUE(l.ddinit(s, &text));
    EXPECT_EQ(l.chosenDriver(), 0);
    EXPECT_EQ(l.maxVertexCount(), SoftwareDevice::maxVertices);
}

TEST_F(DeviceLayerTest, TheTextLineIsCentredAtTheTopAndAWiderLineGrowsIt)
{
    EXPECT_EQ(layer->infoLine().width, 480); // 80 spaces of 6 pixels
    frame();
    start(640, 480);
    layer->showLine("ab");
    frame();
    const int32_t x0 = (640 - 480) / 2;
    EXPECT_EQ(layer->device().target().at(x0 + 2, 5), 0xFFFF00u);
    EXPECT_EQ(layer->device().target().at(x0 + 8, 5), 0xFFFF00u);
    EXPECT_EQ(layer->device().target().at(x0 + 14, 5), 0u); // blank after the text
    layer->showLine(std::string(90, 'x'));
    EXPECT_EQ(layer->infoLine().width, 540);
    layer->showLine(std::string(120, 'x')); // wider than the target: not copied
    frame();
    EXPECT_EQ(layer->device().target().at(x0 + 14, 5), 0u);
}

TEST_F(DeviceLayerTest, AFrameThatDrawsNothingPresentsOnlyTheTextLine)
{
    frame(); // the first frame presents everything
    ASSERT_EQ(layer->presented().size(), 1u);
    EXPECT_EQ(layer->presented()[0], (Rect{0, 0, 159, 119}));
    layer->showLine("");
    frame();
    for (const Rect& r : layer->presented()) EXPECT_LT(r.y2, 12);
}

TEST_F(DeviceLayerTest, ABackgroundThatCannotBeReadGivesBlack)
{
    layer->setBackground(dir / "none.bmp");
    frame();
    EXPECT_EQ(layer->device().target().at(80, 100), 0u);
    EXPECT_EQ(log.messages.size(), 1u);
}

TEST_F(DeviceLayerTest, ABackgroundPictureIsStretchedOverTheViewport)
{
    quillo::test::BmpShape picture;
    picture.width = 2, picture.height = 2;
    picture.palette = {0x102030, 0x405060};
    picture.pixels = {0, 1, 1, 0};
    quillo::test::writeBmp(dir / "back.bmp", picture);
    layer->setBackground(dir / "back.bmp");
    frame();
    EXPECT_EQ(layer->device().target().at(10, 100), 0x405060u); // bottom left quarter
    EXPECT_EQ(layer->device().target().at(150, 100), 0x102030u);
    EXPECT_TRUE(log.messages.empty());
    layer->setBackground("");
    frame();
    EXPECT_EQ(layer->device().target().at(10, 100), 0u);
}

// The window as the view widget keeps it: only presented rectangles are copied.
void present(const DeviceLayer& l, std::vector<uint32_t>& window)
{
    const Target& t = l.device().target();
    for (const Rect& r : l.presented())
        for (int32_t y = r.y1; y <= r.y2; ++y)
            for (int32_t x = r.x1; x <= r.x2; ++x) window[size_t(y * t.width + x)] = t.at(x, y);
}

// After each frame, what was presented to the window and the target both
// equal a full redraw of the same scene.
void expectSameAsFullRedraw(EngineFixture& f, std::vector<uint32_t>& window, int step)
{
    f.frame();
    present(*f.layer, window);
    const std::vector<uint32_t> partial = f.layer->device().target().pixels;
    EXPECT_EQ(window, partial) << "presented, frame " << step;
    f.layer->refreshAll();
    f.frame();
    EXPECT_EQ(partial, f.layer->device().target().pixels) << "frame " << step;
}

class PartialFrames : public EngineFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(PartialFrames, EqualAFullRedraw)
{
    start(160, 120, /*zoff=*/GetParam());
    const std::string a = write("a.md4", squareModel(400, "255 0 0"));
    const std::string b = write("b.md4", squareModel(300, "0 0 255"));
    const std::string c = write("c.md4", squareModel(500, "0 255 0"));
    ASSERT_TRUE(table->load(a) && table->load(b) && table->load(c));
    table->model(2)->place(0, 0, 10, 0, 0, 0); // a still square behind the others
    updateWorld(*table->model(2));
    std::vector<uint32_t> window(160 * 120, 0xDEADBEEF);
    for (int step = 0; step < 8; ++step) {
        table->model(0)->place(float(step) * 1.5f - 6, float(step % 3), 0, 0, 0, 0.2f * float(step));
        if (step % 2 == 0) table->model(1)->place(4 - float(step), -2, float(step) * 2, 0.1f * float(step), 0, 0);
        for (int i = 0; i < 2; ++i) updateWorld(*table->model(i));
        layer->showLine(step % 3 ? "odd" : "frame");
        if (step == 5) camera->place(3, -2, -170, 0.05f, 0, 0.02f); // everything moves on screen
        if (step == 6) camera->setlight(-0.3f, 0.9f);               // everything changes colour
        expectSameAsFullRedraw(*this, window, step);
    }
    // A model added later, and one whose pattern changes while it stands still.
    ASSERT_NE(table->load(write("d.md4", squareModel(200, "255 255 0"))), nullptr);
    expectSameAsFullRedraw(*this, window, 8);
}

INSTANTIATE_TEST_SUITE_P(ZBuffer, PartialFrames, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? std::string("without") : std::string("with"); });

TEST_F(DeviceLayerTest, OnlyWhatChangedIsPresented)
{
    ASSERT_TRUE(table->load(write("a.md4", squareModel(200, "255 0 0"))) && table->load(write("b.md4", squareModel(200))));
    table->model(0)->place(-20, 0, 0, 0, 0, 0);
    table->model(1)->place(20, 0, 0, 0, 0, 0);
    for (int i = 0; i < 2; ++i) updateWorld(*table->model(i));
    layer->showLine("");
    frame();
    frame(); // nothing changed: only the text line
    for (const Rect& r : layer->presented()) EXPECT_LT(r.y2, 12);
    table->model(0)->place(-22, 0, 0, 0, 0, 0);
    updateWorld(*table->model(0));
    frame();
    for (const Rect& r : layer->presented()) EXPECT_LT(r.x2, 80) << "the right square stood still";
}

TEST_F(DeviceLayerTest, APatternChangeRedrawsAStillModel)
{
    quillo::test::BmpShape red, green;
    red.pixels.assign(16, 1);
    green.pixels.assign(16, 2);
    red.pixels[12] = green.pixels[12] = 0; // the bottom-left key takes the face colour
    quillo::test::writeBmp(dir / "r.bmp", red);
    quillo::test::writeBmp(dir / "g.bmp", green);
    const std::string body = "ob t 0 0 0\n v -800 -800 0\n v -800 800 0\n v 800 800 0\n v 800 -800 0\n"
                             "pb r 0 0 0\n m 1 1 0\n c 255 255 255\n txy face r.bmp -800 -800 1600 1600\n"
                             " q 0 1 2 3\npe r\noe t\n";
    OBJCT* o = table->load(write("t.md4", body));
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(o->textures.count(), 1);
    std::snprintf(o->textures[0].patternPaths[1], texturePathSize, "%s", (dir / "g.bmp").c_str());
    o->textures[0].patternCount = 2;
    ASSERT_TRUE(loadtexture(layer->device(), o->textures[0]));
    frame();
    const uint32_t before = layer->device().target().at(80, 60);
    selectPattern(layer->device(), o->textures[0], 1);
    frame();
    EXPECT_NE(layer->device().target().at(80, 60), before);
    std::vector<uint32_t> partial = layer->device().target().pixels;
    layer->refreshAll();
    frame();
    EXPECT_EQ(partial, layer->device().target().pixels);
}

} // namespace
} // namespace quillo::engine3d::test
