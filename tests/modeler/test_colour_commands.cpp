#include "modeler/colour_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../support/bmp_writer.h"
#include "edit_fixture.h"
#include "modeler/modeler_commands.h"

using namespace quillo;
using quillo::test::BmpShape;
using quillo::test::EditFixture;
using quillo::test::twoLayers;
using quillo::test::writeBmp;

namespace {

struct ColourCommands : quillo::test::FrontPartTest {
    void SetUp() override
    {
        FrontPartTest::SetUp();
        writeBmp(f.dir / "skin.bmp", BmpShape{});
        writeBmp(f.dir / "smile.bmp", BmpShape{});
        BmpShape wide;
        wide.width = 8;
        writeBmp(f.dir / "wide.bmp", wide);
    }
    // A texture on face `index` of the front part, made with command 703.
    void makeTexture(const std::string& name, int index, const char* plane = "xy")
    {
        f.pick(front, index);
        f.answer({"texture", name, f.dir / "skin.bmp", plane});
        ASSERT_TRUE(f.run(703));
    }
    Texture& texture(int i) { return f.object().textures[i]; }
    // A texture's rectangle as {x0, y0, x1, y1}.
    std::vector<int> rect(int i)
    {
        const Texture& t = texture(i);
        return {t.x0, t.y0, t.x1, t.y1};
    }
    // The index of a colour in the table, or -1.
    int colourIndex(int r, int g, int b, float a, float d, float s)
    {
        for (int i = 0; i < f.editor.table.count; ++i) {
            int r2, g2, b2;
            float a2, d2, s2;
            f.editor.table.entry(i, r2, g2, b2, a2, d2, s2);
            if (r2 == r && g2 == g && b2 == b && a2 == a && d2 == d && s2 == s) return i;
        }
        return -1;
    }
};

} // namespace

TEST_F(ColourCommands, AddColourMakesItCurrent)
{
    const int before = f.editor.table.count;
    f.answer({"colour", "1", "2", "3", "0.25", "0.75", "0.5"});
    EXPECT_FALSE(f.run(700)); // nothing is rebuilt
    EXPECT_EQ(f.editor.table.count, before + 1);
    EXPECT_EQ(f.state().currentcolour, before);
    EXPECT_EQ(colourIndex(1, 2, 3, 0.25f, 0.75f, 0.5f), before);
    // The same colour again is found, not added.
    f.state().currentcolour = 0;
    f.answer({"colour", "1", "2", "3", "0.25", "0.75", "0.5"});
    f.run(700);
    EXPECT_EQ(f.editor.table.count, before + 1);
    EXPECT_EQ(f.state().currentcolour, before);
    f.answer({"cancel"});
    f.run(700);
    EXPECT_EQ(f.state().currentcolour, before);
}

TEST_F(ColourCommands, ChangeColourChangesEveryMaterialOfThatColour)
{
    f.state().currentcolour = colourIndex(200, 100, 50, 0.2f, 1.0f, 0.0f);
    ASSERT_GE(f.state().currentcolour, 0);
    f.answer({"colour", "10", "20", "30", "0.1", "0.9", "0"});
    EXPECT_TRUE(f.run(701));
    const Material& m = f.object().materials[front->faces[0].material];
    EXPECT_EQ(m.red, 10);
    EXPECT_EQ(m.green, 20);
    EXPECT_FLOAT_EQ(m.ambient, 0.1f);
    EXPECT_EQ(m.texture, -1);
    EXPECT_GE(colourIndex(10, 20, 30, 0.1f, 0.9f, 0.0f), 0); // the redraw registered it
}

TEST_F(ColourCommands, ChangeColourMessages)
{
    f.answer({"colour", "9", "9", "9", "0", "1", "0"});
    f.run(700); // a colour no material uses
    f.answer({"message", "変更する色は対象となる物体には使用されていません"});
    EXPECT_FALSE(f.run(701));
    f.editor.closeModel();
    f.answer({"message", "対象となる物体が選択されていません"});
    EXPECT_FALSE(f.run(701));
}

TEST_F(ColourCommands, PaletteChoiceAndClosingWithoutAClick)
{
    f.answer({"colour", "1", "2", "3", "0", "1", "0"});
    f.run(700);
    ASSERT_GE(f.editor.table.count, 2);
    f.answer({"palette", "1"});
    EXPECT_FALSE(f.run(702));
    EXPECT_EQ(f.state().currentcolour, 1);
    f.answer({"cancel"}); // closed without a click
    f.run(702);
    EXPECT_EQ(f.state().currentcolour, 1);
    f.answer({"palette", "63"}); // below the last colour: no entry
    f.run(702);
    EXPECT_EQ(f.state().currentcolour, 1);
    EXPECT_EQ(f.dialogs.paletteBoxes, 3);
}

TEST_F(ColourCommands, CreateTextureOnThePickedFace)
{
    const Material before = f.object().materials[front->faces[0].material];
    makeTexture("skin", 0);
    ASSERT_EQ(f.object().textures.count(), 1);
    const Texture& t = texture(0);
    EXPECT_STREQ(t.name, "skin");
    EXPECT_EQ(t.plane, planeXY);
    EXPECT_EQ(rect(0), (std::vector<int>{-800, -800, 0, 0}));
    EXPECT_EQ(t.patternCount, 1);
    EXPECT_EQ(std::string(t.files[0]), f.dir / "skin.bmp");
    EXPECT_EQ(t.width, 4); // loaded by the redraw
    EXPECT_EQ(f.state().currenttexture, 0);
    const Material& m = f.object().materials[front->faces[0].material];
    EXPECT_EQ(m.texture, 0);
    EXPECT_EQ(m.red, before.red);
    EXPECT_FLOAT_EQ(m.ambient, before.ambient);
    EXPECT_EQ(f.object().materials[front->faces[1].material].texture, -1); // the neighbour keeps its own
}

TEST_F(ColourCommands, TexturePlanesAndTheDefaultMaterial)
{
    front->faces[3].material = -1;
    makeTexture("side", 3, "zy"); // 4 7 8 5: z is 0, y from 0 to 800
    EXPECT_EQ(texture(0).plane, planeZY);
    EXPECT_EQ(rect(0), (std::vector<int>{0, 0, 0, 800}));
    const Material& m = f.object().materials[front->faces[3].material];
    EXPECT_EQ(m.red, 255);
    EXPECT_FLOAT_EQ(m.diffuse, 1.0f);
    EXPECT_EQ(m.texture, 0);
    makeTexture("top", 1, "xz"); // 1 4 5 2: x from 0 to 800, z 0
    EXPECT_EQ(rect(1), (std::vector<int>{0, 0, 800, 0}));
}

TEST_F(ColourCommands, CreateTextureMessages)
{
    makeTexture("skin", 0);
    f.pick(front, 1);
    f.answer({"texture", "skin", f.dir / "skin.bmp", "xy"});
    f.answer({"message", "このテクスチャ名は既に使用されています"});
    EXPECT_FALSE(f.run(703));
    EXPECT_EQ(f.object().textures.count(), 1);
    f.state().pickface.clear();
    f.answer({"message", "対象となる面が選択されていません"});
    EXPECT_FALSE(f.run(703));
    int32_t missing[4] = {0, 1, 2, 3}; // no part holds this face
    std::memcpy(f.state().pickface.c, missing, sizeof missing);
    f.answer({"message", "対象となる面が選択されていません"});
    EXPECT_FALSE(f.run(703));
    f.pick(front, 1);
    f.answer({"cancel"});
    EXPECT_FALSE(f.run(703));
    f.editor.closeModel();
    f.answer({"message", "対象となる物体が選択されていません"});
    EXPECT_FALSE(f.run(703));
}

TEST_F(ColourCommands, TextureToolPutsTheCurrentTextureOnFaces)
{
    makeTexture("skin", 0);
    const int materials = f.object().materials.count();
    f.run(511);
    f.state().selection.push_back(front->faces[1]);
    f.state().selection.push_back(front->faces[2]);
    f.run(618);
    EXPECT_EQ(f.object().materials[front->faces[1].material].texture, 0);
    EXPECT_EQ(front->faces[1].material, front->faces[2].material);
    // Same colour and texture as face 0's material: found, not added, whatever its shade.
    EXPECT_EQ(front->faces[1].material, front->faces[0].material);
    EXPECT_EQ(f.object().materials.count(), materials);
}

TEST_F(ColourCommands, ChooseTexture)
{
    f.answer({"message", "対象となる物体にはテクスチャがありません"});
    f.run(704);
    makeTexture("skin", 0);
    f.state().currenttexture = -1;
    f.run(704); // one texture: taken without a box
    EXPECT_EQ(f.state().currenttexture, 0);
    makeTexture("face", 1);
    f.answer({"select", "1"});
    f.run(704);
    EXPECT_EQ(f.state().currenttexture, 1);
    EXPECT_EQ(f.dialogs.selectLists.back(), (std::vector<std::string>{"skin", "face"}));
    f.answer({"cancel"});
    f.run(704);
    EXPECT_EQ(f.state().currenttexture, -1);
    f.editor.closeModel();
    f.answer({"message", "対象となる物体が選択されていません"});
    f.run(704);
}

TEST_F(ColourCommands, TextureRectangleSizeInTextureMode)
{
    makeTexture("skin", 0); // -800..0 both ways
    f.run(600); // a step of one grid unit
    f.run(626);
    EXPECT_EQ(texture(0).y0, -800); // only in texture mode
    f.run(630);
    f.run(626);
    EXPECT_EQ(rect(0), (std::vector<int>{-800, -799, 0, -1}));
    f.run(627);
    f.run(627);
    EXPECT_EQ(rect(0), (std::vector<int>{-800, -801, 0, 1}));
    f.run(602); // 25 grid units
    f.run(628);
    EXPECT_EQ(rect(0), (std::vector<int>{-775, -801, -25, 1}));
    f.run(629);
    f.run(629);
    EXPECT_EQ(rect(0), (std::vector<int>{-825, -801, 25, 1}));
    // Beyond its size the rectangle turns inside out; nothing stops it.
    for (int i = 0; i < 40; ++i) f.run(628);
    EXPECT_GT(texture(0).x0, texture(0).x1);
    EXPECT_EQ(f.editor.commands().commandForKey("Up"), 626);
    EXPECT_EQ(f.editor.commands().commandForKey("Right"), 629);
}

TEST_F(ColourCommands, PatternsAddChooseAndRemove)
{
    f.answer({"message", "対象となるテクスチャが選択されていません"});
    f.run(705);
    makeTexture("skin", 0);
    f.answer({"file", f.dir / "smile.bmp"});
    EXPECT_TRUE(f.run(705));
    EXPECT_EQ(texture(0).patternCount, 2);
    EXPECT_EQ(std::string(texture(0).files[1]), f.dir / "smile.bmp");
    // A file already there is not added twice.
    f.answer({"file", f.dir / "smile.bmp"});
    EXPECT_FALSE(f.run(705));
    EXPECT_EQ(texture(0).patternCount, 2);
    // A file of another size is refused with the pattern check's message.
    f.answer({"file", f.dir / "wide.bmp"});
    f.answer({"message", "一つのテクスチャに使うＢＭＰファイルは\\n同じ大きさでなければなりません\\nファイル " +
                             f.dir / "wide.bmp"});
    EXPECT_FALSE(f.run(705));
    EXPECT_EQ(texture(0).patternCount, 2);

    // 表情 (key 8): one texture, two patterns.
    f.answer({"select", "1"});
    EXPECT_TRUE(f.run(201));
    EXPECT_EQ(texture(0).currentPattern, 1);
    EXPECT_EQ(texture(0).currentImage, texture(0).images[1]);
    EXPECT_NE(texture(0).currentImage, nullptr);
    EXPECT_EQ(f.editor.commands().commandForKey("8"), 201);
    f.answer({"cancel"});
    EXPECT_FALSE(f.run(201));
    EXPECT_EQ(texture(0).currentPattern, 1);

    // Removing the shown pattern.
    f.answer({"ask", "no"});
    EXPECT_FALSE(f.run(706));
    EXPECT_EQ(f.dialogs.shown.back(), "テクスチャ skin からファイル " + f.dir / "smile.bmp" + " を削除します\nよろしいですか？");
    f.answer({"ask", "yes"});
    EXPECT_TRUE(f.run(706));
    EXPECT_EQ(texture(0).patternCount, 1);
    EXPECT_EQ(std::string(texture(0).files[0]), f.dir / "skin.bmp");
    f.answer({"message", "基本ファイルは削除できません"});
    EXPECT_FALSE(f.run(706));
    f.state().currenttexture = 5;
    f.answer({"message", "対象となるテクスチャが選択されていません"});
    f.run(706);
}

TEST_F(ColourCommands, RemovingTheBaseFileMovesTheOthersUp)
{
    makeTexture("skin", 0);
    f.answer({"file", f.dir / "smile.bmp"});
    f.run(705);
    texture(0).currentPattern = 0;
    f.answer({"ask", "yes"});
    f.run(706);
    EXPECT_EQ(texture(0).patternCount, 1);
    EXPECT_EQ(std::string(texture(0).files[0]), f.dir / "smile.bmp");
    EXPECT_EQ(texture(0).files[1][0], '\0');
}

TEST_F(ColourCommands, AtMostSixtyFourPatterns)
{
    makeTexture("skin", 0);
    texture(0).patternCount = 64;
    for (int i = 1; i < 64; ++i) std::strcpy(texture(0).files[i], texture(0).files[0]);
    f.answer({"file", f.dir / "smile.bmp"});
    f.answer({"message", "テクスチャパターンは６４個までです"});
    EXPECT_FALSE(f.run(705));
}

TEST_F(ColourCommands, ChoosingAPatternAmongSeveralTextures)
{
    makeTexture("skin", 0);
    makeTexture("face", 1);
    f.state().currenttexture = 1;
    f.answer({"file", f.dir / "smile.bmp"});
    f.run(705);
    f.answer({"select", "1"}); // the texture "face"
    f.answer({"select", "1"}); // its second pattern
    EXPECT_TRUE(f.run(201));
    EXPECT_EQ(f.dialogs.selectLists.back(),
              (std::vector<std::string>{f.dir / "skin.bmp", f.dir / "smile.bmp"}));
    EXPECT_EQ(texture(1).currentPattern, 1);
    EXPECT_EQ(texture(0).currentPattern, 0);
    // A texture with one pattern offers nothing to choose.
    f.answer({"select", "0"});
    EXPECT_FALSE(f.run(201));
}
