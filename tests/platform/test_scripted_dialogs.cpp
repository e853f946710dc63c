#include "platform/scripted_model_dialogs.h"

#include <gtest/gtest.h>

#include "model/colour_table.h"
#include "platform/editor_settings.h"

using namespace quillo;

namespace {
void answer(ScriptedModelDialogs& d, std::vector<std::string> words)
{
    std::string error;
    ASSERT_TRUE(d.queueWords(words, error)) << error;
}
} // namespace

TEST(ScriptedModelDialogs, AnswersAreTakenInOrderByTheirDialog)
{
    ScriptedModelDialogs d;
    answer(d, {"input", "2.5"});
    answer(d, {"file", "/tmp/a.md4"});
    answer(d, {"ask", "no"});
    answer(d, {"message", "色数が多すぎます\\nGMTBL"});
    std::string text;
    EXPECT_EQ(d.inputBox("倍率 :1", text), 3);
    EXPECT_EQ(text, "2.5");
    std::string path;
    EXPECT_TRUE(d.chooseFile(fileModel, path));
    EXPECT_EQ(path, "/tmp/a.md4");
    EXPECT_FALSE(d.ask("部分セーブしますか？"));
    d.error("色数が多すぎます\nGMTBL");
    EXPECT_TRUE(d.failure().empty()) << d.failure();
    EXPECT_FALSE(d.pending());
}

TEST(ScriptedModelDialogs, WrongOrMissingAnswersFailTheRun)
{
    ScriptedModelDialogs d;
    answer(d, {"select", "1"});
    std::string text;
    EXPECT_EQ(d.inputBox("prompt", text), -1);
    EXPECT_NE(d.failure().find("input box"), std::string::npos);
    d.clearFailure();
    d.clear();
    d.error("unexpected");
    EXPECT_NE(d.failure().find("unexpected message box"), std::string::npos);
    d.clearFailure();
    answer(d, {"message", "other"});
    d.error("this");
    EXPECT_FALSE(d.failure().empty());

    std::string error;
    EXPECT_FALSE(d.queueWords({"colour", "1", "2"}, error));
    EXPECT_FALSE(d.queueWords({"texture", "a", "b", "yz"}, error));
    EXPECT_FALSE(d.queueWords({"ask", "maybe"}, error));
    EXPECT_FALSE(d.queueWords({"bogus"}, error));
}

TEST(ScriptedModelDialogs, CancelAnswersAnyDialogAndSelectRules)
{
    ScriptedModelDialogs d;
    answer(d, {"cancel"});
    ColourValues v;
    EXPECT_EQ(d.colourBox(v), -1);
    EXPECT_TRUE(d.failure().empty());
    // One name: 0 without asking; none: -1.
    EXPECT_EQ(selectbox(d, {"only"}, "", 0), 0);
    EXPECT_EQ(selectbox(d, {}, "", 0), -1);
    answer(d, {"select", "5"});
    EXPECT_EQ(selectbox(d, {"a", "b"}, "", 0), -1); // out of range
    EXPECT_TRUE(d.failure().empty());
}

TEST(ScriptedModelDialogs, ValueDialogs)
{
    ScriptedModelDialogs d;
    answer(d, {"colour", "300", "10", "-5", "1.5", "0.5", "0.25"});
    answer(d, {"texture", "skin", "a.bmp", "zy"});
    answer(d, {"mag", "2", "1", "0.5"});
    answer(d, {"reorder", "2", "0", "1"});
    answer(d, {"palette", "3"});
    answer(d, {"options", "zon=yes", "resolution=800", "defaultfile=x.md4"});
    ColourValues v;
    ASSERT_EQ(d.colourBox(v), 1);
    EXPECT_EQ(v.red, 255);
    EXPECT_EQ(v.blue, 0);
    EXPECT_EQ(v.ambient, 1.0f);
    TextureChoice t;
    ASSERT_EQ(d.textureBox(t), 1);
    EXPECT_EQ(t.plane, 2);
    float x = 1, y = 1, z = 1;
    ASSERT_EQ(d.magBox(x, y, z), 1);
    EXPECT_EQ(z, 0.5f);
    std::vector<int> order;
    ASSERT_EQ(d.reorderBox({"a", "b", "c"}, order), 1);
    EXPECT_EQ(order, (std::vector<int>{2, 0, 1}));
    GMTBL table;
    table.getm(1, 2, 3, 0, 1, 0);
    EXPECT_EQ(d.paletteBox(table), -1); // below the last colour: nothing
    EditorSettings s;
    ASSERT_EQ(d.optionsBox(s), 1);
    EXPECT_TRUE(s.zon);
    EXPECT_EQ(s.maxwidth, 800);
    EXPECT_EQ(s.maxhight, 600);
    EXPECT_EQ(s.defaultfile, "x.md4");
    EXPECT_TRUE(d.failure().empty()) << d.failure();
}

TEST(ScriptedModelDialogs, PreviewRamp)
{
    ColourValues v;
    v.red = 255;
    v.green = 0;
    v.blue = 100;
    v.ambient = 0.2f;
    v.diffuse = 1.0f;
    v.specular = 0.5f;
    Rgb ramp[16];
    previewRamp(v, ramp);
    EXPECT_EQ(ramp[0].red, 51);
    EXPECT_EQ(ramp[0].blue, 20);
    EXPECT_EQ(ramp[15].red, 255);   // limited
    EXPECT_EQ(ramp[15].green, 127); // highlight only
    EXPECT_EQ(clampCoefficient(1.5f), 1.0f);
    EXPECT_EQ(clampChannel(300), 255);
}
