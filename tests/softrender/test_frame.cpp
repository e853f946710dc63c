#include <gtest/gtest.h>

#include "model/colour_table.h"
#include "softrender/frame.h"
#include "softrender/rasteriser.h"

using namespace quillo;

TEST(Frame, RowsArePitchApartAndClearEmptiesPixelsAndDepths)
{
    const GMTBL table;
    EXPECT_EQ(Frame(10, 5, false).pitch(), 12);
    Frame tiny(0, -3, false);
    EXPECT_TRUE(tiny.width() == 1 && tiny.height() == 1);
    Frame frame(10, 4, true, 32);
    const DrawTarget t = frame.target(table);
    EXPECT_TRUE(t.width == 10 && t.height == 4 && t.pitch == 32 && t.zbuffer && t.shadeMap == table.shadeMap);
    EXPECT_EQ(frame.row(2) - frame.row(0), 64);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x) t.pixels[y * 32 + x] = 9, t.zbuffer[y * 10 + x] = 1234;
    frame.clear();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_TRUE(frame.pixel(x, y) == 0 && frame.depth(x, y) == 0) << x << "," << y;
}

TEST(Frame, ZRowsAreClearedWhenFirstDrawnOn)
{
    Frame frame(8, 4, true);
    const GMTBL table;
    const DrawTarget t = frame.target(table);
    for (int i = 0; i < 32; ++i) t.zbuffer[i] = 999; // stale values from an earlier frame
    frame.clear();
    ASSERT_TRUE(t.zRowsPending && t.zRowsPending[2]);
    // A span on row 2 clears that row first, and only that row.
    rasterShadedZ(t, RasterVertex{1, 2, 500, 512, 0, 0}, RasterVertex{1, 2, 500, 512, 0, 0},
                  RasterVertex{4, 2, 500, 512, 0, 0}, 0, 200);
    EXPECT_EQ(t.zRowsPending[2], 0);
    EXPECT_TRUE(t.zbuffer[2 * 8 + 0] == 0 && t.zbuffer[2 * 8 + 7] == 0);
    EXPECT_EQ(t.zbuffer[2 * 8 + 2], 500 * 2048);
    EXPECT_EQ(t.zbuffer[1 * 8 + 2], 999); // untouched, and still read as cleared
    EXPECT_EQ(frame.depth(2, 1), 0);
    EXPECT_EQ(frame.depth(2, 2), 500 * 2048);
}

TEST(Frame, ShowsThroughTheColourTablesPalette)
{
    Frame frame(4, 4, false);
    // Before any colour table: the static colours and the greys.
    EXPECT_TRUE(frame.palette()[9].red == 166 && frame.palette()[9].blue == 240);
    EXPECT_EQ(frame.palette()[17].green, 17);
    GMTBL table;
    table.attachDisplay(&frame);
    table.getm(100, 150, 200, 0.5f, 1.0f, 0.0f);
    ASSERT_TRUE(table.buildShades());
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(frame.palette()[i].red == table.palette[i].red && frame.palette()[i].blue == table.palette[i].blue);
    EXPECT_EQ(frame.palette()[26].red, 50); // ramp step 0: 100 x 0.5
}

TEST(Frame, ChecksumCoversEveryVisiblePixelAndNoPadding)
{
    Frame frame(5, 3, false, 8);
    const GMTBL table;
    const DrawTarget t = frame.target(table);
    const uint64_t empty = frame.checksum();
    t.pixels[1 * 8 + 6] = 77; // padding
    EXPECT_EQ(frame.checksum(), empty);
    t.pixels[2 * 8 + 4] = 1; // the last visible pixel
    const uint64_t one = frame.checksum();
    t.pixels[2 * 8 + 4] = 0;
    t.pixels[0] = 1; // the same value elsewhere
    EXPECT_TRUE(one != empty && frame.checksum() != one && frame.checksum() != empty);
}
