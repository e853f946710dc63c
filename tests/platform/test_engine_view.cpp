#include <gtest/gtest.h>

#include "platform/engine_view.h"
#include "platform/qt_font.h"
#include "platform/qt_info_text.h"
#include "support/qt_test_app.h"

namespace quillo {
namespace {

engine3d::Target targetOf(int w, int h, uint32_t fill)
{
    engine3d::Target t;
    t.width = w, t.height = h;
    t.pixels.assign(size_t(w * h), fill);
    return t;
}

TEST(EngineView, FittedRectKeepsTheAspectRatioWithBarsOnTheLongerSide)
{
    const struct {
        QSize picture;
        QRect area, fitted;
    } cases[] = {
        {{1024, 768}, {0, 0, 1920, 1080}, {240, 0, 1440, 1080}}, // bars left and right
        {{1024, 768}, {0, 0, 1280, 1024}, {0, 32, 1280, 960}},   // bars above and below
        {{640, 480}, {0, 0, 800, 600}, {0, 0, 800, 600}},        // same shape: no bars
        {{640, 480}, {10, 20, 400, 600}, {10, 170, 400, 300}},   // the area's origin is kept
        {{0, 0}, {0, 0, 50, 40}, {0, 0, 50, 40}},                // no picture: the whole area
    };
    for (const auto& c : cases) EXPECT_EQ(fittedRect(c.picture, c.area), c.fitted) << c.area.width();
}

TEST(EngineView, AKeptAspectShowsBlackBars)
{
    EngineView view;
    view.scaleToFit = true;
    view.keepAspect = true;
    view.resize(200, 100);
    const engine3d::Target t = targetOf(20, 20, 0xFFFFFF);
    view.present(t, {engine3d::Rect{0, 0, 19, 19}});
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixel(10, 50) & 0xFFFFFF, 0u);        // the bar on the left
    EXPECT_EQ(shot.pixel(100, 50) & 0xFFFFFF, 0xFFFFFFu); // the picture in the middle
    EXPECT_EQ(shot.pixel(190, 50) & 0xFFFFFF, 0u);
}

TEST(EngineView, CopiesOnlyThePresentedRectangles)
{
    EngineView view;
    engine3d::Target t = targetOf(20, 10, 0x112233);
    view.present(t, {engine3d::Rect{0, 0, 19, 9}});
    EXPECT_EQ(view.shown().pixel(5, 5) & 0xFFFFFF, 0x112233u);
    t.pixels.assign(200, 0xABCDEF);
    view.present(t, {engine3d::Rect{2, 3, 4, 5}, engine3d::Rect{-5, -5, 0, 0}, engine3d::Rect{9, 9, 8, 8}});
    EXPECT_EQ(view.shown().pixel(2, 3) & 0xFFFFFF, 0xABCDEFu);
    EXPECT_EQ(view.shown().pixel(4, 5) & 0xFFFFFF, 0xABCDEFu);
    EXPECT_EQ(view.shown().pixel(0, 0) & 0xFFFFFF, 0xABCDEFu);
    EXPECT_EQ(view.shown().pixel(5, 5) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(view.shown().pixel(1, 0) & 0xFFFFFF, 0x112233u);
}

TEST(QtInfoText, DrawsYellowOnBlackAsLargeAsTheText)
{
    registerUiFont();
    QtInfoText text;
    const engine3d::Surface blank = text.draw(std::string(80, ' '));
    const engine3d::Surface line = text.draw("台詞 ABC");
    ASSERT_GT(line.width, 10);
    EXPECT_GE(line.height, 12);
    EXPECT_LE(line.height, 20);
    EXPECT_GT(blank.width, line.width);
    int yellow = 0, other = 0;
    for (uint32_t p : line.pixels) {
        if (p == 0xFFFF00) ++yellow;
        else if (p != 0) ++other;
    }
    EXPECT_GT(yellow, 20);
    EXPECT_EQ(other, 0); // no blended edges: black stays the transparent colour
    for (uint32_t p : blank.pixels) EXPECT_EQ(p, 0u);
}

} // namespace
} // namespace quillo
