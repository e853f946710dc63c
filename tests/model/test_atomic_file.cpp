#include "model/atomic_file.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include "../dxfconv/dxf_test_util.h"

using namespace quillo;

namespace {

int entriesIn(const std::string& folder)
{
    int n = 0;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++n;
        closedir(d);
    }
    return n;
}

} // namespace

TEST(AtomicFile, CommitReplacesTheTargetWhole)
{
    test::TempFolder folder;
    std::string target = folder.file("model.md4");
    test::writeFile(target, "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open());
        std::string big(3 << 20, 'x'); // more than one buffer's worth
        ASSERT_TRUE(file.write(big));
        ASSERT_TRUE(file.write("end"));
        EXPECT_EQ(test::readFile(target), "old"); // untouched until the commit
        ASSERT_TRUE(file.commit());
    }
    std::string text = test::readFile(target);
    EXPECT_EQ(text.size(), (3u << 20) + 3);
    EXPECT_EQ(text.substr(text.size() - 3), "end");
    EXPECT_EQ(entriesIn(folder.path()), 1); // no temporary file left
}

TEST(AtomicFile, WithoutCommitOrWhenAStepFailsTheTargetStaysAsItWas)
{
    test::TempFolder folder;
    std::string target = folder.file("model.md4");
    test::writeFile(target, "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open());
        file.write("new");
    }
    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(entriesIn(folder.path()), 1);

    AtomicFile missing(folder.file("no/such/folder/model.md4"));
    EXPECT_FALSE(missing.open());
    // A target that is a folder: the rename fails and the temporary goes.
    std::string sub = folder.file("sub");
    ASSERT_EQ(mkdir(sub.c_str(), 0755), 0);
    test::writeFile(sub + "/keep", "k");
    AtomicFile onFolder(sub);
    ASSERT_TRUE(onFolder.open());
    onFolder.write("text");
    EXPECT_FALSE(onFolder.commit());
    EXPECT_EQ(entriesIn(folder.path()), 2); // the target and the folder, no temporary
    EXPECT_EQ(test::readFile(sub + "/keep"), "k");
}
