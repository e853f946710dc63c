#include "model/messages.h"
#include "model/text_util.h"

#include <gtest/gtest.h>

using namespace quillo;

TEST(Messages, FormatCutsAt255BytesOnACharacterBoundaryAndAddsCrLf)
{
    EXPECT_EQ(formatMessage("ファイル %s が見つかりません", "a.bmp"), "ファイル a.bmp が見つかりません\r\n");
    std::string longText(300, 'x');
    EXPECT_EQ(formatMessage("%s", longText.c_str()).size(), 257u);
    std::string kana;
    for (int i = 0; i < 100; ++i) kana += "あ"; // 3 bytes each
    std::string cut = formatMessage("%s", kana.c_str());
    EXPECT_EQ(cut.size(), 255u + 2u);          // 85 whole characters
    EXPECT_EQ(cutUtf8(kana, 4), "あ");          // never half a character
    char field[5];
    EXPECT_FALSE(copyToField(field, sizeof field, kana));
    EXPECT_STREQ(field, "あ");
    EXPECT_TRUE(copyToField(field, sizeof field, "abcd"));
}

TEST(Messages, LogCollectsTextWithoutCrLf)
{
    MessageLog log;
    errorbox(formatMessage("色数が多すぎます"));
    log.answer = false;
    EXPECT_FALSE(askbox("部分セーブしますか？"));
    ASSERT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[0], "色数が多すぎます");
}
