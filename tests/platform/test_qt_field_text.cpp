#include "platform/field_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <climits>

#include "platform/qt_text.h"

using namespace quillo;

TEST(FieldText, FormatsLikePrintf)
{
    EXPECT_EQ(formatInt(255, 4), " 255");
    EXPECT_EQ(formatInt(7, 4), "   7");
    EXPECT_EQ(formatInt(-12345, 4), "-12345");
    EXPECT_EQ(formatFixed(1.0, 5, 2), " 1.00");
    EXPECT_EQ(formatFixed(0.125, 5, 2), " 0.12"); // round half to even, as printf does for exact halves
    EXPECT_EQ(formatFixed(1.5, 8, 3), "   1.500");
    EXPECT_EQ(formatFixed(-0.25, 8, 3), "  -0.250");
    EXPECT_EQ(formatFixed(123456.0, 8, 3), "123456.000");
}

TEST(FieldText, ReadsTheLeadingNumber)
{
    int i = -1;
    EXPECT_TRUE(scanInt("  300", i));
    EXPECT_EQ(i, 300);
    EXPECT_TRUE(scanInt("-4x", i));
    EXPECT_EQ(i, -4);
    EXPECT_TRUE(scanInt("99999999999", i));
    EXPECT_EQ(i, INT_MAX);
    EXPECT_TRUE(scanInt("-99999999999", i));
    EXPECT_EQ(i, INT_MIN);
    i = 9;
    for (const char* bad : {"abc", "", "-"}) EXPECT_FALSE(scanInt(bad, i)) << bad;
    EXPECT_EQ(i, 9);

    double d = -1.0;
    EXPECT_TRUE(scanReal(" 1.5", d));
    EXPECT_DOUBLE_EQ(d, 1.5);
    EXPECT_TRUE(scanReal("+2.5e1mm", d));
    EXPECT_DOUBLE_EQ(d, 25.0);
    EXPECT_TRUE(scanReal("-.5", d));
    EXPECT_DOUBLE_EQ(d, -0.5);
    EXPECT_TRUE(scanReal("1,5", d)); // the number ends at the comma
    EXPECT_DOUBLE_EQ(d, 1.0);
    d = 3.0;
    for (const char* bad : {"x1", "nan", "inf", "1e999", "+-1"}) EXPECT_FALSE(scanReal(bad, d)) << bad;
    EXPECT_DOUBLE_EQ(d, 3.0);
}

TEST(FieldText, IgnoresACommaDecimalLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(formatFixed(1.5, 5, 2), " 1.50");
    double d = 0.0;
    EXPECT_TRUE(scanReal("2.75", d));
    EXPECT_DOUBLE_EQ(d, 2.75);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(QtText, NamesInCodePage932AreShownDecoded)
{
    EXPECT_EQ(toDisplay("物体"), QString::fromUtf8("物体"));
    const std::string shiftJis = "\x95\xa8\x91\xcc"; // 物体
    QString shown = toDisplay(shiftJis);
    if (shown.contains(QChar(0xfffd))) GTEST_SKIP() << "this Qt has no code page 932 decoder";
    EXPECT_EQ(shown, QString::fromUtf8("物体"));
}

TEST(QtText, FieldsAreCutAtACharacterBoundary)
{
    QString text = QString::fromUtf8("あいう"); // 9 bytes in UTF-8
    EXPECT_EQ(fromField(text, 8), "あい");
    EXPECT_EQ(fromField(text), "あいう");
    EXPECT_EQ(controlName(804), "804");
}
