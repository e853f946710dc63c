#include <gtest/gtest.h>

#include "model/colour_table.h"
#include "softrender/frame.h"
#include "softrender/rasteriser.h"

using namespace quillo;

TEST(Frame, RowsArePitchApartAndSizesAreKeptSane)
{
    Frame plain(10, 5, false);
    EXPECT_EQ(plain.pitch(), 12);
    EXPECT_FALSE(plain.hasZBuffer());
    EXPECT_EQ(plain.bytes().size(), 12u * 5u);
    Frame padded(10, 5, true, 32);
    EXPECT_EQ(padded.pitch(), 32);
    EXPECT_TRUE(padded.hasZBuffer());
    EXPECT_EQ(padded.row(2) - padded.row(0), 64);
    Frame tiny(0, -3, false);
    EXPECT_EQ(tiny.width(), 1);
    EXPECT_EQ(tiny.height(), 1);
    const GMTBL table;
    const DrawTarget t = padded.target(table);
    EXPECT_EQ(t.width, 10);
    EXPECT_EQ(t.height, 5);
    EXPECT_EQ(t.pitch, 32);
    EXPECT_NE(t.zbuffer, nullptr);
}

TEST(Frame, ClearEmptiesPixelsAndDepths)
{
    Frame frame(8, 4, true);
    const GMTBL table;
    DrawTarget t = frame.target(table);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            t.pixels[y * t.pitch + x] = 9;
            t.zbuffer[y * 8 + x] = 1234;
        }
    frame.clear();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(frame.pixel(x, y), 0);
            EXPECT_EQ(frame.depth(x, y), 0);
        }
}

TEST(Frame, ShowsThroughTheColourTablesPalette)
{
    Frame frame(4, 4, false);
    // Before any colour table: the static colours and the greys.
    EXPECT_EQ(frame.palette()[9].red, 166);
    EXPECT_EQ(frame.palette()[9].blue, 240);
    EXPECT_EQ(frame.palette()[17].green, 17);
    EXPECT_EQ(frame.palette()[246].blue, 240);
    GMTBL table;
    table.attachDisplay(&frame);
    table.getm(100, 150, 200, 0.5f, 1.0f, 0.0f);
    ASSERT_TRUE(table.buildShades());
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(frame.palette()[i].red, table.palette[i].red) << i;
        EXPECT_EQ(frame.palette()[i].green, table.palette[i].green) << i;
        EXPECT_EQ(frame.palette()[i].blue, table.palette[i].blue) << i;
    }
    EXPECT_EQ(frame.palette()[26].red, 50); // ramp step 0: 100 x 0.5
}

TEST(Frame, ChecksumCoversEveryVisiblePixelAndNoPadding)
{
    Frame frame(5, 3, false, 8);
    const GMTBL table;
    DrawTarget t = frame.target(table);
    const uint64_t empty = frame.checksum();
    t.pixels[1 * 8 + 6] = 77; // padding
    EXPECT_EQ(frame.checksum(), empty);
    t.pixels[2 * 8 + 4] = 1; // the last visible pixel
    const uint64_t one = frame.checksum();
    EXPECT_NE(one, empty);
    t.pixels[2 * 8 + 4] = 0;
    t.pixels[0] = 1; // the same value elsewhere
    EXPECT_NE(frame.checksum(), one);
    EXPECT_NE(frame.checksum(), empty);
}

TEST(Frame, ZRowsAreClearedWhenFirstDrawnOn)
{
    Frame frame(8, 4, true);
    const GMTBL table;
    DrawTarget t = frame.target(table);
    for (int i = 0; i < 32; ++i) t.zbuffer[i] = 999; // stale values from an earlier frame
    frame.clear();
    EXPECT_EQ(frame.depth(3, 2), 0);
    ASSERT_NE(t.zRowsPending, nullptr);
    EXPECT_EQ(t.zRowsPending[2], 1);
    // A span on row 2 clears that row first, and only that row.
    const RasterVertex a{1, 2, 500, 512, 0, 0}, b{1, 2, 500, 512, 0, 0}, c{4, 2, 500, 512, 0, 0};
    rasterShadedZ(t, a, b, c, 0, 200);
    EXPECT_EQ(t.zRowsPending[2], 0);
    EXPECT_EQ(t.zbuffer[2 * 8 + 0], 0);
    EXPECT_EQ(t.zbuffer[2 * 8 + 2], 500 * 2048);
    EXPECT_EQ(t.zbuffer[2 * 8 + 7], 0);
    EXPECT_EQ(t.zbuffer[1 * 8 + 2], 999); // untouched, and still read as cleared
    EXPECT_EQ(frame.depth(2, 1), 0);
    EXPECT_EQ(frame.depth(2, 2), 500 * 2048);
}
