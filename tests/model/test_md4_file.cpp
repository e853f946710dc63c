#include "model/md4_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <vector>

#include "model/colour_table.h"
#include "model/messages.h"
#include "../support/bmp_writer.h"
#include "../support/temp_dir.h"

using namespace quillo;
using quillo::test::readText;
using quillo::test::TempDir;
using quillo::test::writeText;

namespace {

// Resets the global grid step around each test.
class Md4 : public ::testing::Test {
protected:
    void SetUp() override { dt = defaultGridStep; }
    void TearDown() override { dt = defaultGridStep; }
    TempDir dir;
    MessageLog log;

    ModelObject& load(ModelDocument& doc, const std::string& name, const std::string& text)
    {
        writeText(dir / name, text);
        EXPECT_EQ(readModel(doc, dir / name), ReadResult::ok);
        EXPECT_GE(doc.objects.count(), 1);
        return *doc.objects[doc.objects.count() - 1];
    }
    std::string save(const ModelDocument& doc, const std::string& name)
    {
        EXPECT_TRUE(writeModel(doc, dir / name));
        return readText(dir / name);
    }
};

std::vector<int> rect(const Texture& t) { return {t.x0, t.y0, t.x1, t.y1}; }

const char* const square = "ob o 0 0 0\n dt 0.0125\n v 8 -8 0\n v 16 -8 0\n v 16 0 0\n v 8 0 0\n"
                           "pb p 0 0 0\n q 0 1 2 3\npe p\noe o\n";

} // namespace

TEST_F(Md4, FlavourComesFromTheLastCharacterOfLongEnoughNames)
{
    EXPECT_EQ(variantFromName("a.md4"), variantInteger);
    EXPECT_EQ(variantFromName("a.MD5"), variantReal5);
    EXPECT_EQ(variantFromName("a.txt"), variantReal);
    EXPECT_EQ(variantFromName("x.4"), variantReal); // shorter than 5: default
    EXPECT_EQ(modelDirectory("/a/b/c.md4"), "/a/b/");
}

TEST_F(Md4, IntegerVerticesAreScaledSnappedAndWrittenBack)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "sq.md4", square);
    ASSERT_EQ(o.vertices.count(), 4);
    EXPECT_FLOAT_EQ(o.vertices[0].x, 0.1025f);
    EXPECT_FLOAT_EQ(o.vertices[0].y, -0.1025f);
    EXPECT_EQ(o.vertices[0].z, 0.0f);
    EXPECT_EQ(formatVariant, variantInteger);

    std::string md4 = save(doc, "out.md4");
    EXPECT_NE(md4.find(" v 8 -8 0\n"), std::string::npos) << md4;
    o.vertices[1].x = snap(9877 * dt); // 123.4625: seven digits, written with six
    std::string md5 = save(doc, "out.md5");
    EXPECT_NE(md5.find(" v        0.1       -0.1          0\n v    123.463"), std::string::npos) << md5;
    EXPECT_NE(md5.find(" dt     0.0125\n"), std::string::npos);
}

TEST_F(Md4, WholeFileLayoutOfATexturedSquare)
{
    quillo::test::writeBmp(dir / "t.bmp", {});
    ModelDocument doc;
    load(doc, "in.md4",
         "ob o 0 0 0\n dt 0.0125\n v 0 0 0\n v 8 0 0\n v 8 8 0\n v 0 8 0\n"
         "pb p 0 0 0\n m 0.2 1 0\n c 255 0 0\n txy tex t.bmp 0 0 8 4\n q 0 1 2 3\npe p\n"
         " tb tex\n    t.bmp\n te tex\noe o\n");
    EXPECT_EQ(save(doc, "out.md4"),
              "ob o 0 0 0\n dt     0.0125\n v 0 0 0\n v 8 0 0\n v 8 8 0\n v 0 8 0\n"
              "pb p 0 0 0\n m        0.2          1          0\n c 255 0 0\n txy tex t.bmp 0 0 8 4\n"
              " q 0 1 2 3\npe p\n tb tex\n    t.bmp\n te tex\noe o\n");
    std::string md5 = save(doc, "out.md5");
    EXPECT_NE(md5.find(" txy tex t.bmp       0.05      0.025        0.1       0.05\n"), std::string::npos) << md5;
    // The rectangle read back from the real flavour is the same one.
    ModelDocument back;
    ModelObject& b = load(back, "out.md5", md5);
    EXPECT_EQ(rect(b.textures[0]), std::vector<int>({0, 0, 8, 4}));
}

TEST_F(Md4, HeaderCoordinatesAreScaledAtTheEndAndSurviveRoundTrips)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "h.md4", "ob o 0 0 40\n dt 0.0125\npb p 0 13 0\n pb c 0 -13 7\n pe c\npe p\noe o\n");
    EXPECT_FLOAT_EQ(o.position[2], 0.5025f);
    EXPECT_FLOAT_EQ(o.rootPart->position[1], 13 * 0.0125f + 0.0025f);
    EXPECT_TRUE(o.rootPart->children[0]->child);
    EXPECT_FALSE(o.rootPart->child);

    // A pivot of 13 grid units must not lose a unit through the real flavour.
    save(doc, "h.md5");
    ModelDocument again;
    ASSERT_EQ(readModel(again, dir / "h.md5"), ReadResult::ok);
    std::string md4 = save(again, "back.md4");
    EXPECT_NE(md4.find("ob o 0 0 40\n"), std::string::npos) << md4;
    EXPECT_NE(md4.find("pb p 0 13 0\n"), std::string::npos) << md4;
    EXPECT_NE(md4.find("pb c 0 -13 7\n"), std::string::npos) << md4;
}

TEST_F(Md4, RealTokensAreReadWhole)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "r.md5",
                          "ob o 0 0 0\n dt 0.0125\n v -1.23457e-05 0.5 -0.25\n v 1 2 3\npb p 0 0 0\npe p\noe o\n");
    ASSERT_EQ(o.vertices.count(), 2);
    EXPECT_FLOAT_EQ(o.vertices[0].y, 0.5025f);
    EXPECT_FLOAT_EQ(o.vertices[1].x, 1.0025f);
}

TEST_F(Md4, SameFacesAreDroppedAndBadIndicesRejected)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "f.md4",
                          "ob o 0 0 0\npb p 0 0 0\n q 0 1 2 3\n q 1 2 3 0\n Q 3 0 1 2\n q 3 2 1 0\n"
                          " qd 0 1 2 4\n qs 0 1 2 5\n q -1 0 1 2\npe p\n"
                          " v 0 0 0\n v 1 0 0\n v 1 1 0\n v 0 1 0\n v 2 2 0\noe o\n");
    const Records<Face>& faces = o.rootPart->faces;
    ASSERT_EQ(faces.count(), 3); // rotations dropped, the reversed face kept, bad ones rejected
    EXPECT_EQ(faces[1].vertexA, 3);
    EXPECT_EQ(faces[2].vertexD, 4); // a vertex listed after the part is fine
    EXPECT_EQ(faces[2].doubleSided, 1);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_NE(log.messages[0].find("面 2 個"), std::string::npos) << log.messages[0];
}

TEST_F(Md4, BrokenNumbersLeaveTheDocumentAndGridStepAsTheyWere)
{
    ModelDocument doc;
    load(doc, "ok.md4", square);
    writeText(dir / "bad.md4", "ob p 0 0 0\n dt 0.5\n v 1 x 3\noe p\n");
    std::string reason;
    EXPECT_EQ(readModel(doc, dir / "bad.md4", &reason), ReadResult::malformed);
    EXPECT_EQ(doc.objects.count(), 1);
    EXPECT_EQ(dt, defaultGridStep);
    EXPECT_NE(reason.find("line 3"), std::string::npos) << reason;
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].rfind("モデルファイルを読み込めません", 0), 0u);

    writeText(dir / "cut.md4", "ob p 0 0 0\n v 1 2");
    EXPECT_EQ(readModel(doc, dir / "cut.md4"), ReadResult::malformed);
    EXPECT_EQ(readModel(doc, dir / "missing.md4"), ReadResult::cannotOpen);
    EXPECT_EQ(doc.objects.count(), 1);
}

TEST_F(Md4, EndOfFileClosesOpenBlocks)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "e.md4", "junk ob o 0 0 0\n v 0 0 0\n v 1 0 0\n v 1 1 0\npb p 0 0 0\n q 0 1 2 2");
    EXPECT_EQ(o.rootPart->faces.count(), 1);
    EXPECT_STREQ(o.rootPart->name, "p");
}

TEST_F(Md4, MaterialWithoutColourLineIsReportedAndReadingGoesOn)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "m.md4",
                          "ob o 0 0 0\npb p 0 0 0\n m 0.1 1 0\n x 10 20 30\n q 0 0 0 0\n"
                          " m 0.1 1 0\n c 10 20 30\n q 1 1 1 1\npe p\n v 0 0 0\n v 1 1 1\noe o\n");
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "モデルファイルを読み込めません");
    ASSERT_EQ(o.materials.count(), 1); // the same values found again
    EXPECT_EQ(o.materials[0].green, 20);
    EXPECT_EQ(o.rootPart->faces[1].material, 0);
}

TEST_F(Md4, KnownTextureNamesSkipTheRectangleAndReuseTheirMaterial)
{
    quillo::test::writeBmp(dir / "a.bmp", {});
    ModelDocument doc;
    ModelObject& o = load(doc, "t.md4",
                          "ob o 0 0 0\n v 0 0 0\n v 1 0 0\n v 1 1 0\n v 0 1 0\npb p 0 0 0\n"
                          " m 0 1 0\n c 255 0 0\n txy T a.bmp 0 0 16 16\n q 0 1 2 3\n"
                          " m 0 1 0\n c 0 0 255\n txy T a.bmp 1 2 3 4\n q 1 2 3 3\npe p\noe o\n");
    ASSERT_EQ(o.textures.count(), 1);
    EXPECT_EQ(o.textures[0].x1, 16);
    EXPECT_EQ(std::string(o.textures[0].files[0]), dir / "a.bmp");
    // Red, red textured, blue: the second face gets the first textured material.
    ASSERT_EQ(o.materials.count(), 3);
    EXPECT_EQ(o.rootPart->faces[0].material, 1);
    EXPECT_EQ(o.rootPart->faces[1].material, 1);
    EXPECT_EQ(o.textures[0].red, 255);
}

TEST_F(Md4, PatternListsKeepTheFirst64Paths)
{
    std::string text = "ob o 0 0 0\npb p 0 0 0\n txz T a.bmp 0 0 4 4\npe p\n tb T\n";
    for (int i = 0; i < 70; ++i) text += "    p" + std::to_string(i) + ".bmp\n";
    text += " te T\n tb Unknown\n    z.bmp\n te Unknown\n v 5 5 5\noe o\n";
    ModelDocument doc;
    ModelObject& o = load(doc, "p.md4", text);
    ASSERT_EQ(o.textures.count(), 1);
    EXPECT_EQ(o.textures[0].patternCount, 64);
    EXPECT_EQ(o.textures[0].plane, planeXZ);
    EXPECT_EQ(std::string(o.textures[0].files[63]), dir / "p63.bmp");
    EXPECT_EQ(o.vertices.count(), 1); // reading went on after the lists
    // With no material before it the texture takes black and the default material.
    EXPECT_EQ(o.textures[0].red, 0);
    EXPECT_EQ(o.materials[0].red, 255);
    EXPECT_EQ(o.materials[0].texture, 0);
}

TEST_F(Md4, FaceKeywordsAndMaterialLinesRoundTrip)
{
    quillo::test::writeBmp(dir / "a.bmp", {});
    ModelDocument doc;
    ModelObject& o = load(doc, "k.md4",
                          "ob o 0 0 0\n v 0 0 0\n v 1 0 0\n v 1 1 0\n v 0 1 0\npb p 0 0 0\n"
                          " m 0 1 0\n c 255 0 0\n txy T a.bmp 0 0 16 16\n q 0 1 2 3\npe p\noe o\n");
    // Four faces with every flag combination; the last two share the texture
    // but not the colour, so the colour and texture lines come again.
    Material blueTextured = o.materials[1];
    blueTextured.blue = 255;
    int blue = o.materials.append(blueTextured);
    Records<Face>& faces = o.rootPart->faces;
    faces[0].twistFix = 1;
    faces[0].doubleSided = 1;
    faces.append(Face{0, 1, 3, 3, 1, 1, 1, 0});
    faces.append(Face{1, 2, 3, 3, 0, 1, 1, 0});
    faces.append(Face{0, 2, 3, 3, 0, 0, blue, 0});
    std::string text = save(doc, "k2.md4");
    EXPECT_NE(text.find(" qs 0 1 2 3\n Qd 0 1 3 3\n Q 1 2 3 3\n m          0          1          0\n"
                        " c 255 0 255\n txy T a.bmp 0 0 16 16\n q 0 2 3 3\n"),
              std::string::npos)
        << text;

    ModelDocument back;
    ASSERT_EQ(readModel(back, dir / "k2.md4"), ReadResult::ok);
    const ModelObject& b = *back.objects[0];
    EXPECT_EQ(b.rootPart->faces[0].doubleSided, 0);
    EXPECT_EQ(b.rootPart->faces[0].twistFix, 1);
    // Still textured: a known texture name gives its first material.
    EXPECT_EQ(b.materials[b.rootPart->faces[3].material].texture, 0);
}

TEST_F(Md4, InsertShiftsIndicesAndReusesMaterials)
{
    ModelDocument doc;
    std::string target = "ob o 0 0 0\n";
    for (int i = 0; i < 10; ++i) target += " v " + std::to_string(i) + " 0 0\n";
    target += "pb p 0 0 0\n m 0 1 0\n c 1 2 3\n q 0 1 2 3\npe p\noe o\n";
    ModelObject& o = load(doc, "target.md4", target);
    writeText(dir / "part.md4", "rubbish ob x 5 5 5\n v 0 0 0\n v 1 0 0\n v 1 1 0\n v 0 1 0\n"
                                "pb arm 8 0 0\n m 0 1 0\n c 1 2 3\n q 0 1 2 3\n m 0 1 0\n c 9 9 9\n q 3 2 1 0\npe arm\noe x\n"
                                "ob second 0 0 0\noe second\n");
    GMTBL table;
    ASSERT_EQ(insertModel(o, *o.rootPart, true, dir / "part.md4", table), ReadResult::ok);
    ASSERT_EQ(o.vertices.count(), 14);
    ASSERT_EQ(o.rootPart->children.count(), 1);
    ModelPart& arm = *o.rootPart->children[0];
    EXPECT_STREQ(arm.name, "arm");
    EXPECT_TRUE(arm.child);
    EXPECT_EQ(arm.faces[0].vertexA, 10);
    EXPECT_EQ(arm.faces[0].material, 0); // equal values reuse the existing material
    EXPECT_EQ(arm.faces[1].material, 1);
    EXPECT_EQ(o.position[0], 0.0f); // the inserted header is discarded
    EXPECT_EQ(o.partList.count(), 2); // prepared again

    // Not merging: a new embedded object in the part.
    ASSERT_EQ(insertModel(o, arm, false, dir / "part.md4", table), ReadResult::ok);
    ASSERT_EQ(arm.objects.count(), 1);
    EXPECT_STREQ(arm.objects[0]->name, "x");
    EXPECT_EQ(o.objectList->count(), 2);

    // A broken block is taken back whole.
    writeText(dir / "broken.md4", "ob y 0 0 0\n v 0 0 0\npb leg 0 0 0\n m 0 1 0\n c 7 7 7\n q 0 0 0 zz\npe leg\noe y\n");
    EXPECT_EQ(insertModel(o, *o.rootPart, true, dir / "broken.md4", table), ReadResult::malformed);
    EXPECT_EQ(o.vertices.count(), 14);
    EXPECT_EQ(o.materials.count(), 2);
    EXPECT_EQ(o.rootPart->children.count(), 1);
    EXPECT_EQ(insertModel(o, *o.rootPart, true, dir / "none.md4", table), ReadResult::cannotOpen);
}

TEST_F(Md4, PartialSaveWritesThePartInPlaceOfTheRoot)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "tree.md4",
                          "ob o 0 0 0\n v 0 0 0\npb root 0 0 0\n pb arm 8 0 0\n  pb hand 16 0 0\n  pe hand\n pe arm\npe root\noe o\n");
    ASSERT_TRUE(writeObjectFile(o, o.rootPart->children[0], dir / "arm.md4"));
    EXPECT_EQ(readText(dir / "arm.md4"),
              "ob o 0 0 0\n dt     0.0125\n v 0 0 0\npb arm 8 0 0\npb hand 16 0 0\npe hand\npe arm\noe o\n");
}

TEST_F(Md4, LongNamesAndPathsAreCutOnCharacterBoundaries)
{
    std::string longName;
    for (int i = 0; i < 40; ++i) longName += "長"; // 120 bytes
    ModelDocument doc;
    ModelObject& o = load(doc, "n.md4", "ob " + longName + " 0 0 0\npb " + longName + " 0 0 0\n txy " + longName +
                                             " " + std::string(400, 'x') + " 0 0 1 1\npe p\noe o\n");
    EXPECT_EQ(std::string(o.name).size(), 78u); // 26 whole characters
    EXPECT_EQ(std::string(o.rootPart->name), longName.substr(0, 78));
    EXPECT_LE(std::string(o.textures[0].files[0]).size(), 259u);
    EXPECT_EQ(std::string(o.textures[0].name), longName); // texture names hold 255 bytes
    EXPECT_EQ(std::string(o.textures[0].files[0]).size(), 259u);
}

TEST_F(Md4, WindowsPathsFallBackToTheModelDirectory)
{
    quillo::test::writeBmp(dir / "skin.bmp", {});
    ModelDocument doc;
    ModelObject& o = load(doc, "w.md4", "ob o 0 0 0\npb p 0 0 0\n txy T C:\\models\\skin.bmp 0 0 4 4\npe p\noe o\n");
    EXPECT_EQ(std::string(o.textures[0].files[0]), dir / "skin.bmp");
}

TEST_F(Md4, BundledExamplesConvertBothWaysUnchanged)
{
    for (const char* name : {"robot.md4", "dice.md4", "house.md5"}) {
        for (auto& e : std::filesystem::directory_iterator(QUILLO_SOURCE_DIR "/examples"))
            std::filesystem::copy_file(e.path(), dir / e.path().filename().string(),
                                       std::filesystem::copy_options::overwrite_existing);
        std::string original = readText(dir / name);
        std::string other = std::string(name).back() == '4' ? "other.md5" : "other.md4";
        ModelDocument a;
        ASSERT_EQ(readModel(a, dir / name), ReadResult::ok) << name;
        ASSERT_TRUE(writeModel(a, dir / other));
        ModelDocument b;
        ASSERT_EQ(readModel(b, dir / other), ReadResult::ok);
        EXPECT_EQ(save(b, name), original) << name;
    }
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(Md4, NumbersIgnoreACommaDecimalLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no comma-decimal locale installed";
    ModelDocument doc;
    ModelObject& o = load(doc, "l.md5", "ob o 0.5 0 0\n dt 0.0125\n v 0.1 -0.25 1.5\npb p 0 0 0\npe p\noe o\n");
    const std::string text = save(doc, "l2.md5");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_FLOAT_EQ(o.vertices[0].x, 0.1025f);
    EXPECT_NE(text.find(" v        0.1      -0.25        1.5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("ob o        0.5"), std::string::npos) << text;
}

TEST_F(Md4, NamesAreNeverWrittenEmptyAndKeywordNamesReadBack)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "k.md4",
                          "ob v 0 0 0\n v 0 0 0\n v 8 0 0\n v 8 8 0\npb q 0 0 0\n q 0 1 2 2\n pb m 0 0 0\n"
                          "  q 2 1 0 0\n pe m\n pb te 0 0 0\n pe te\npe q\noe v\n");
    ASSERT_EQ(o.rootPart->children.count(), 2);
    EXPECT_STREQ(o.rootPart->children[1]->name, "te");
    EXPECT_EQ(o.rootPart->faces.count(), 1);
    o.name[0] = '\0';
    o.rootPart->children[0]->name[0] = '\0';
    std::snprintf(o.rootPart->children[1]->name, nameSize, "a b");
    const std::string text = save(doc, "k2.md4");
    EXPECT_NE(text.find("ob 物体 0 0 0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("pb 部分 0 0 0\n q 2 1 0 0\npe 部分\npb a_b 0 0 0\npe a_b\npe q\noe 物体\n"),
              std::string::npos) << text;
    ModelDocument back;
    ModelObject& b = load(back, "k2.md4", text);
    EXPECT_EQ(b.rootPart->children.count(), 2);
    EXPECT_EQ(b.vertices.count(), 3);
    // A file that leaves the name out after "pe" reads as before.
    ModelObject& c = load(back, "bare.md4", "ob o 0 0 0\npb p 0 0 0\npe\n v 0 0 0\noe\n");
    EXPECT_EQ(c.vertices.count(), 1);
}

TEST_F(Md4, EveryTextureKeepsItsDefinitionAndPlaneWhetherUsedOrNot)
{
    ModelDocument doc;
    ModelObject& o = load(doc, "t.md4",
                          "ob o 0 0 0\n v 0 0 0\n v 8 0 0\n v 8 8 0\npb p 0 0 0\n m 0 1 0\n c 1 2 3\n"
                          " tzy zy a.bmp 0 0 8 4\n q 0 1 2 2\n txz xz b.bmp 1 2 3 4\n q 1 2 0 0\n"
                          " m 0.5 1 0\n c 9 9 9\n txy spare c.bmp 0 0 2 1\n m 0 1 0\n c 1 2 3\n q 2 1 0 0\npe p\n"
                          " tb spare\n c.bmp\n v\n te spare\noe o\n");
    ASSERT_EQ(o.textures.count(), 3);
    const std::string text = save(doc, "t2.md4");
    EXPECT_NE(text.find(" tzy zy a.bmp 0 0 8 4\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" txz xz b.bmp 1 2 3 4\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" m        0.5          1          0\n c 9 9 9\n txy spare c.bmp 0 0 2 1\n"),
              std::string::npos) << text;
    // A pattern file named "te" in the model's folder is written with its
    // folder, as the bare name would end the list.
    std::snprintf(o.textures[2].files[1], pathSize, "%s", (dir / "te").c_str());
    const std::string withTe = save(doc, "t2.md4");
    EXPECT_NE(withTe.find("    " + dir / "te" + "\n te spare\n"), std::string::npos) << withTe;
    ModelDocument back;
    ModelObject& b = load(back, "t2.md4", withTe);
    ASSERT_EQ(b.textures.count(), 3);
    EXPECT_EQ(b.textures[2].patternCount, 2);
    EXPECT_EQ(b.textures[2].red, 9);
    EXPECT_EQ(b.vertices.count(), 3); // the pattern named "v" was not read as a vertex
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(Md4, NestingDeeperThan256LevelsIsRefused)
{
    auto nested = [](int parts, int objects) {
        std::string text = "ob o 0 0 0\n";
        for (int i = 0; i < objects; ++i) text += "pb p 0 0 0\nob e 0 0 0\n";
        for (int i = 0; i < parts; ++i) text += "pb p 0 0 0\n";
        return text;
    };
    ModelDocument doc;
    writeText(dir / "ok.md4", nested(256, 0));
    EXPECT_EQ(readModel(doc, dir / "ok.md4"), ReadResult::ok);
    std::string reason;
    for (const std::string& text : {nested(257, 0), nested(1, 128), nested(20000, 0)}) {
        writeText(dir / "deep.md4", text);
        EXPECT_EQ(readModel(doc, dir / "deep.md4", &reason), ReadResult::malformed);
        EXPECT_NE(reason.find("nested deeper than 256 levels"), std::string::npos) << reason;
    }
    EXPECT_EQ(doc.objects.count(), 1);
    ASSERT_FALSE(log.messages.empty());
    EXPECT_EQ(log.messages.back().rfind("モデルファイルを読み込めません\n", 0), 0u);
    // Junk that would cost memory without limit: too many parts, or a file
    // far larger than any model (sparse here: refused before it is read).
    std::string many = "ob o 0 0 0\npb p 0 0 0\n";
    for (int i = 0; i < 100000; ++i) many += "pb c 0 0 0 pe c\n";
    writeText(dir / "many.md4", many);
    EXPECT_EQ(readModel(doc, dir / "many.md4", &reason), ReadResult::malformed);
    EXPECT_NE(reason.find("more than 100000 parts and objects"), std::string::npos) << reason;
    writeText(dir / "huge.md4", square);
    std::filesystem::resize_file(dir / "huge.md4", (256u << 20) + 1);
    EXPECT_EQ(readModel(doc, dir / "huge.md4", &reason), ReadResult::malformed);
    EXPECT_EQ(reason, "the file is larger than 256 MB");
    EXPECT_EQ(doc.objects.count(), 1);
    GMTBL table;
    writeText(dir / "deep.md4", nested(300, 0));
    EXPECT_EQ(insertModel(*doc.objects[0], *doc.objects[0]->rootPart, true, dir / "deep.md4", table),
              ReadResult::malformed);
}

TEST_F(Md4, RealRectanglesReadBackOnTheirGridUnits)
{
    // Edges that the division gives back a hair below a whole unit.
    for (const char* step : {"1.0125", "0.0125", "0.01052", "0.3"}) {
        ModelDocument doc;
        ModelObject& o = load(doc, "r.md5", std::string("ob o 0 0 0\n dt ") + step +
                                                "\npb p 0 0 0\n txy t t.bmp -450 -400 450 400\npe p\noe o\n");
        const std::vector<int> before = rect(o.textures[0]);
        ModelDocument back;
        EXPECT_EQ(rect(load(back, "r2.md5", save(doc, "r2.md5")).textures[0]), before) << "dt " << step;
    }
}
