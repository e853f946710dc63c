// End to end: a --script run builds a small model from a single quad with
// the editing commands and saves it; the file must be the expected one.
#include <gtest/gtest.h>

#include <filesystem>

#include "edit_fixture.h"
#include "model/md4_file.h"

using namespace quillo;
using quillo::test::EditFixture;
using quillo::test::readText;

namespace {

const std::string dataDir = std::string(QUILLO_SOURCE_DIR) + "/tests/modeler/data/";

bool runScript(EditFixture& f, const std::string& script, std::string& error, std::string& output)
{
    return quillo::test::runScript(f, script, error, &output);
}

} // namespace

TEST(EditScript, BuildsTheExpectedModelFromOneQuad)
{
    EditFixture f;
    for (const char* name : {"edit_start.md4", "edit_skin.bmp", "edit_smile.bmp"})
        std::filesystem::copy_file(dataDir + name, f.dir / name);
    std::string error, output;
    ASSERT_TRUE(runScript(f, readText(dataDir + "edit_build.script"), error, output)) << error;
    EXPECT_TRUE(f.failure().empty()) << f.failure();

    const std::string built = readText(f.dir / "edit_built.md4");
    EXPECT_EQ(built, readText(dataDir + "edit_expected.md4"));

    // The saved model reads back with what the script made.
    ModelDocument back;
    ASSERT_EQ(readModel(back, f.dir / "edit_built.md4"), ReadResult::ok);
    ModelObject& o = *back.objects[0];
    EXPECT_STREQ(o.name, "open_box");
    ASSERT_EQ(o.rootPart->children.count(), 1);
    EXPECT_STREQ(o.rootPart->children[0]->name, "lid");
    EXPECT_EQ(o.rootPart->children[0]->faces.count(), 1);
    ASSERT_EQ(o.textures.count(), 1);
    EXPECT_EQ(o.textures[0].patternCount, 2);
}

TEST(EditScript, AFailingLineEndsTheRunAndSaysWhy)
{
    EditFixture f;
    std::filesystem::copy_file(dataDir + "edit_start.md4", f.dir / "edit_start.md4");
    std::string error, output;
    const std::string script = "answer file edit_start.md4\ncmd 101\n"
                               "cmd 703\n"; // no picked face: a message nobody expected
    EXPECT_FALSE(runScript(f, script, error, output));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_NE(error.find("対象となる面が選択されていません"), std::string::npos) << error;
}
