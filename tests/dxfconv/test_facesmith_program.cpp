// The facesmith program as a user runs it: exit status, messages on
// standard error, the default output name.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "dxf_test_util.h"

namespace {

struct ProgramRun {
    int status;
    std::string errors;
};

ProgramRun facesmith(const quillo::test::TempFolder& folder, const std::string& args)
{
    std::string errors = folder.file("stderr.txt");
    std::string command = "cd '" + folder.path() + "' && '" FACESMITH_PATH "' " + args + " >/dev/null 2>'" + errors + "'";
    int raw = std::system(command.c_str());
    return ProgramRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, quillo::test::readFile(errors)};
}

} // namespace

TEST(FacesmithProgram, ConvertsReportsAndExitsWithTheRightStatus)
{
    quillo::test::TempFolder folder;
    ASSERT_EQ(mkdir(folder.file("my.plans").c_str(), 0755), 0);
    quillo::test::writeFile(folder.file("my.plans/house.dxf"),
                            quillo::test::entities(quillo::test::plainFace(1, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})));

    ProgramRun r = facesmith(folder, "--fast ./my.plans/house.dxf");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.errors, "");
    EXPECT_EQ(quillo::test::readFile(folder.file("my.plans/house.MD4")).substr(0, 17), "ob 本体 0 0 0\r\n");

    r = facesmith(folder, "my.plans/house.dxf out.md4 --size 0");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.errors, "モデルサイズには０より大きい数を指定してください\n");
    EXPECT_FALSE(quillo::test::fileExists(folder.file("out.md4")));

    r = facesmith(folder, "missing.dxf out.md4");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.errors, "ファイル missing.dxf が読み込めません\n");

    r = facesmith(folder, "--colour my.plans/house.dxf");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("unknown option --colour"), std::string::npos);

    r = facesmith(folder, "my.plans/house.dxf"); // the window's command line
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("usage: facesmith"), std::string::npos);

    EXPECT_EQ(facesmith(folder, "--help").status, 0);
}
