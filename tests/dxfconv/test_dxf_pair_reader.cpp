#include "dxfconv/dxf_pair_reader.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "dxf_test_util.h"

using namespace quillo;

namespace {

std::vector<std::pair<int, std::string>> pairsOf(const std::string& text, size_t blockSize = 1 << 20,
                                                 size_t longestLine = 1 << 16)
{
    test::TempFolder folder;
    std::string path = folder.file("pairs.dxf");
    test::writeFile(path, text);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<std::pair<int, std::string>> pairs;
    DxfPairReader reader(f, blockSize, longestLine);
    while (reader.next()) pairs.emplace_back(reader.code(), std::string(reader.value()));
    EXPECT_FALSE(reader.failed());
    std::fclose(f);
    return pairs;
}

} // namespace

TEST(DxfPairReader, TrimsBlanksTabsAndCrAndKeepsInnerBlanks)
{
    auto pairs = pairsOf("  0\r\nSECTION\r\n\t 8 \r\n layer one \t\r\n");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0], std::make_pair(0, std::string("SECTION")));
    EXPECT_EQ(pairs[1], std::make_pair(8, std::string("layer one")));
}

TEST(DxfPairReader, LastLineWithoutLineEndCountsAndALoneCodeIsDropped)
{
    auto pairs = pairsOf("0\nEOF");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].second, "EOF");
    EXPECT_EQ(pairsOf("0\nA\n10\n").size(), 1u);
    EXPECT_TRUE(pairsOf("").empty());
}

TEST(DxfPairReader, CodeLinesThatAreNotIntegersMatchNothing)
{
    auto pairs = pairsOf("x0\nA\n1.5\nB\n\nC\n");
    ASSERT_EQ(pairs.size(), 3u);
    for (auto& p : pairs) EXPECT_EQ(p.first, DxfPairReader::invalidCode);
}

TEST(DxfPairReader, LinesLongerThanTheBlockAndBlocksSplittingLines)
{
    std::string longValue(5000, 'n');
    std::string text;
    for (int i = 0; i < 50; ++i) text += " 10\n" + std::to_string(i) + ".25\n";
    text += "  8\n" + longValue + "\n";
    auto pairs = pairsOf(text, 16);
    ASSERT_EQ(pairs.size(), 51u);
    EXPECT_EQ(pairs[49], std::make_pair(10, std::string("49.25")));
    EXPECT_EQ(pairs[50].second, longValue);
    // Beyond the longest line the value is cut and the next pairs stay whole.
    pairs = pairsOf(text + "  0\n3DFACE\n", 16, 1000);
    ASSERT_EQ(pairs.size(), 52u);
    EXPECT_EQ(pairs[50].second.size(), 1024u); // the buffer had grown to 1024 bytes
    EXPECT_EQ(pairs[51], std::make_pair(0, std::string("3DFACE")));
}

TEST(DxfPairReader, NumbersAreReadWholeInCRules)
{
    int i = 0;
    EXPECT_TRUE(parseDxfInt("62", i));
    EXPECT_EQ(i, 62);
    EXPECT_TRUE(parseDxfInt("+5", i));
    EXPECT_EQ(i, 5);
    EXPECT_TRUE(parseDxfInt("-3", i));
    EXPECT_EQ(i, -3);
    for (const char* bad : {"", "1.0", "12abc", "++1", "99999999999"}) EXPECT_FALSE(parseDxfInt(bad, i)) << bad;

    float f = 0;
    EXPECT_TRUE(parseDxfFloat("0.1", f));
    EXPECT_EQ(f, 0.1f); // nearest float, as a 32-bit parse gives
    EXPECT_TRUE(parseDxfFloat("-2.5E+02", f));
    EXPECT_EQ(f, -250.0f);
    EXPECT_TRUE(parseDxfFloat("+7", f));
    EXPECT_EQ(f, 7.0f);
    EXPECT_TRUE(parseDxfFloat("-0.0", f));
    EXPECT_TRUE(std::signbit(f));
    EXPECT_TRUE(parseDxfFloat("16777217", f));
    EXPECT_EQ(f, 16777216.0f);
    EXPECT_TRUE(parseDxfFloat("1e-40", f)); // below the normal range: kept, not refused
    EXPECT_GT(f, 0.0f);
    for (const char* bad : {"1e39" /* beyond a float */, "inf", "nan", "1,5", "", "0x10"})
        EXPECT_FALSE(parseDxfFloat(bad, f)) << bad;
}
