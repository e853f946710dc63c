// The converter window's field texts: the size shown and read back, and the
// output name derived from the input.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "dxfconv/dxf_dialog_fields.h"

using namespace quillo;

TEST(DxfDialogFields, SizeIsShownWithEightColumnsAndThreeDigits)
{
    EXPECT_EQ(formatSizeField(1.6f), "     1.6");
    EXPECT_EQ(formatSizeField(16.0f), "      16");
    EXPECT_EQ(formatSizeField(0.125f), "   0.125");
    EXPECT_EQ(formatSizeField(1234.5f), "1.23e+03");
    EXPECT_EQ(formatSizeField(0.0001f), "  0.0001");
}

TEST(DxfDialogFields, SizeIsShownWithAPointUnderACommaLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(formatSizeField(1.6f), "     1.6");
    EXPECT_EQ(parseSizeField("2.5"), 2.5f);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DxfDialogFields, SizeIsReadAsOneNumberWithBlanksAround)
{
    EXPECT_EQ(parseSizeField("     1.6"), 1.6f);
    EXPECT_EQ(parseSizeField("16"), 16.0f);
    EXPECT_EQ(parseSizeField("\t+0.3 "), 0.3f);
    EXPECT_EQ(parseSizeField("1e1"), 10.0f);
    EXPECT_EQ(parseSizeField("-2"), -2.0f); // refused later by the conversion
}

TEST(DxfDialogFields, SizeThatIsNotOneNumberIsNaN)
{
    for (const char* text : {"", "   ", "1,6", "2m", "abc", "1.6 2", "inf", "nan", "1e999"})
        EXPECT_TRUE(std::isnan(parseSizeField(text))) << '"' << text << '"';
}

TEST(DxfDialogFields, StartUpOutputNameComesFromTheCommandLine)
{
    // No name without a command line, else the default output name (its rules: test_convert_dxf.cpp).
    EXPECT_EQ(startupOutputName(""), "");
    EXPECT_EQ(startupOutputName("/home/me/my.plans/house.v2.dxf"), "/home/me/my.plans/house.MD4");
    EXPECT_EQ(startupOutputName("house"), "house.MD4");
}

TEST(DxfDialogFields, ChosenInputNamesTheOutputOnlyWhenItsNameHasADot)
{
    std::string output = "kept.md4";
    EXPECT_TRUE(outputNameForChosenInput("/data/house.DXF", output));
    EXPECT_EQ(output, "/data/house.MD4");
    output = "kept.md4";
    EXPECT_FALSE(outputNameForChosenInput("/data/my.plans/house", output));
    EXPECT_EQ(output, "kept.md4");
    EXPECT_TRUE(outputNameForChosenInput("./a.b/c.d.dxf", output));
    EXPECT_EQ(output, "./a.b/c.MD4");
}
