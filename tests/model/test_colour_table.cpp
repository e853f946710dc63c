#include "model/colour_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/messages.h"

using namespace quillo;

namespace {
struct RecordingDisplay : PaletteDisplay {
    int calls = 0;
    PaletteEntry last[256];
    void setPalette(const PaletteEntry (&entries)[256]) override
    {
        ++calls;
        std::copy(std::begin(entries), std::end(entries), last);
    }
};
} // namespace

TEST(ColourTable, GetmNormalisesAndFindsColours)
{
    GMTBL t;
    EXPECT_EQ(t.getm(255, 0, 0, 0.2f, 1.0f, 0.0f), 0);
    EXPECT_EQ(t.getm(255, 0, 0, 0.2f, 1.0f, 0.0f), 0); // shared
    EXPECT_EQ(t.getm(256, -1, 300, 0.0f, 1.0f, 0.0f), 1);
    EXPECT_EQ(t.red[1], 255);
    EXPECT_EQ(t.green[1], 255);
    EXPECT_EQ(t.getm(255, 255, 255, 0.0f, 1.0f, 0.0f), 1);
    EXPECT_EQ(t.getm(0, 0, 0, 0.5f, 1.0f, 0.3f), 2); // black stays black
    EXPECT_EQ((std::vector<float>{t.ambient[2], t.diffuse[2], t.specular[2]}), (std::vector<float>{0.0f, 0.0f, 0.3f}));
    int r, g, b;
    float a, d, s;
    EXPECT_TRUE(t.entry(0, r, g, b, a, d, s));
    EXPECT_EQ(a, 0.2f);
    EXPECT_FALSE(t.entry(3, r, g, b, a, d, s));
    EXPECT_FALSE(t.entry(-1, r, g, b, a, d, s));
    t.clear();
    EXPECT_EQ(t.count, 0);
    EXPECT_EQ(t.paletteCount, 26);
}

TEST(ColourTable, The65thColourIsRefused)
{
    MessageLog log;
    GMTBL t;
    for (int i = 0; i < 64; ++i) EXPECT_EQ(t.getm(i, 0, 0, 0.0f, 1.0f, 0.0f), i);
    EXPECT_EQ(t.getm(200, 0, 0, 0.0f, 1.0f, 0.0f), 63);
    EXPECT_EQ(t.count, 64);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "このプログラムでは６４色までしか使えません\nGMTBL::getm関数");
}

TEST(ColourTable, RampsShadeMapAndDither)
{
    GMTBL t;
    RecordingDisplay display;
    t.attachDisplay(&display);
    t.getm(255, 0, 0, 0.2f, 1.0f, 0.0f);
    ASSERT_TRUE(t.buildShades());
    EXPECT_EQ(t.rampLength, 16);
    EXPECT_EQ(display.calls, 1);
    // Step 0 is (51, 0, 0), the first ramp entry; step 15 is the static red 249.
    EXPECT_EQ(t.palette[26].red, 51);
    EXPECT_EQ(t.palette[26].flags, 1);
    EXPECT_EQ(t.shadeAt(0, 0), 26);
    EXPECT_EQ(t.shadeAt(0, 3), 26);
    // Level 60: e = 60, step 15, pure step colour.
    for (int k = 0; k < 4; ++k) EXPECT_EQ(t.shadeAt(60, k), 249);
    // Level 63 dithers three of four pixels toward the static white 255.
    const int level63[] = {255, 255, 249, 255};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(t.shadeAt(63, k), level63[k]) << k;
    // Level 1 (e = 1): only position 0 takes the next step.
    EXPECT_NE(t.shadeAt(1, 0), t.shadeAt(1, 1));
    EXPECT_EQ(t.shadeAt(1, 1), 26);
    EXPECT_EQ(display.last[26].red, 51);
    // Static entries are searched, never changed.
    EXPECT_EQ(t.palette[255].red, 255);
    EXPECT_EQ(t.palette[9].blue, 240);
    EXPECT_EQ(t.palette[15].red, 15);
}

TEST(ColourTable, RampsShortenUntilAllColoursFit)
{
    MessageLog log;
    GMTBL t;
    // 20 colours with distinct ramps need more than the 220 free entries at 16 steps.
    for (int i = 0; i < 20; ++i) t.getm(10 + i * 12, 200 - i * 7, 40 + i * 9, 0.1f, 1.0f, 0.0f);
    ASSERT_TRUE(t.buildShades());
    EXPECT_LT(t.rampLength, 16);
    EXPECT_GE(t.rampLength, 11); // 220 / 20
    EXPECT_LE(t.paletteCount, 246);
    EXPECT_TRUE(log.messages.empty());
    // Every shade byte of every colour names an allocated or a static entry.
    for (int row = 0; row < t.count; ++row)
        for (int level = 0; level < 64; ++level)
            for (int k = 0; k < 4; ++k) {
                int p = t.shadeAt(row * 64 + level, k);
                EXPECT_TRUE(p < 10 || (p >= 26 && p < t.paletteCount) || p >= 246) << row << " " << level;
            }
    // The top level of every colour reaches its full colour or white.
    int r, g, b;
    float a, d, sp;
    ASSERT_TRUE(t.entry(5, r, g, b, a, d, sp));
    const PaletteEntry& top = t.palette[t.shadeAt(5 * 64 + 63, 2)];
    EXPECT_EQ(top.red, r);
    EXPECT_EQ(top.green, g);
    EXPECT_EQ(top.blue, b);
}
