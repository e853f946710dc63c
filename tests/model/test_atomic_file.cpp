// Saves under injected faults: whichever step fails, the old file stays
// whole, no temporary file is left and the save reports failure.
#include "model/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/md4_file.h"
#include "model/messages.h"
#include "../support/temp_dir.h"

using namespace quillo;
using quillo::test::readText;
using quillo::test::TempDir;
using quillo::test::writeText;

namespace {

enum class Step { none, create, write, sync, close, rename, syncFolder };

// Fails one step with an errno; writes fail once `writeBudget` bytes went
// through (a short write first, as a full disk gives).
class FaultyCalls : public FileSystemCalls {
public:
    Step failing = Step::none;
    int error = EIO;
    size_t writeBudget = 0;
    size_t written = 0;
    int folderSyncs = 0;
    bool renamed = false;

    int makeTemporary(char* pattern) override { return fails(Step::create) ? -1 : FileSystemCalls::makeTemporary(pattern); }
    ssize_t write(int fd, const void* data, size_t size) override
    {
        if (failing == Step::write) {
            if (written >= writeBudget) return writeBudget % 3 == 2 ? 0 : failWith(-1); // no progress, or an error
            size = std::min(size, writeBudget - written);
        }
        ssize_t n = FileSystemCalls::write(fd, data, size);
        if (n > 0) written += size_t(n);
        return n;
    }
    int sync(int fd) override { return fails(Step::sync) ? -1 : FileSystemCalls::sync(fd); }
    int close(int fd) override
    {
        int r = FileSystemCalls::close(fd); // the descriptor goes whatever close says
        return fails(Step::close) ? -1 : r;
    }
    int rename(const char* from, const char* to) override
    {
        if (!renamed && fails(Step::rename)) return -1;
        renamed = true;
        return FileSystemCalls::rename(from, to);
    }
    int syncDirectory(const char* folder) override
    {
        ++folderSyncs;
        return folderSyncs == 1 && fails(Step::syncFolder) ? -1 : FileSystemCalls::syncDirectory(folder);
    }

private:
    bool fails(Step s) { return failing == s && failWith(1); }
    int failWith(int r)
    {
        errno = error;
        return r;
    }
};

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

class Save : public ::testing::Test {
protected:
    void SetUp() override
    {
        dt = defaultGridStep;
        writeText(dir / "in.md4", "ob o 0 0 0\n v 0 0 0\n v 8 0 0\n v 8 8 0\npb p 0 0 0\n q 0 1 2 2\npe p\noe o\n");
        ASSERT_EQ(readModel(doc, dir / "in.md4"), ReadResult::ok);
        newText = writeModelText(doc, target);
        writeText(target, "old contents\n");
        setFileSystemCalls(&calls);
    }
    void TearDown() override
    {
        setFileSystemCalls(nullptr);
        dt = defaultGridStep;
    }
    // The save failed and left the old file whole with nothing beside it.
    void expectUntouched(const std::string& what)
    {
        EXPECT_FALSE(writeModel(doc, target)) << what;
        EXPECT_EQ(readText(target), "old contents\n") << what;
        EXPECT_EQ(entriesIn(dir.str()), 2) << what; // in.md4 and the target
    }
    TempDir dir;
    MessageLog log;
    FaultyCalls calls;
    ModelDocument doc;
    std::string target = dir / "model.md4";
    std::string newText;
};

} // namespace

TEST_F(Save, WithoutFaultsReplacesTheFileAndSyncsTheFolderAfterTheRename)
{
    ASSERT_TRUE(writeModel(doc, target));
    EXPECT_EQ(readText(target), newText);
    EXPECT_EQ(entriesIn(dir.str()), 2);
    EXPECT_EQ(calls.folderSyncs, 1);
}

TEST_F(Save, EachFailingStepKeepsTheOldFile)
{
    const struct {
        Step step;
        int error;
        const char* what;
    } cases[] = {
        {Step::create, EACCES, "creating the temporary file"}, {Step::create, ENOSPC, "no room for a new file"},
        {Step::sync, EIO, "syncing the file"},                 {Step::close, EIO, "closing the file"},
        {Step::rename, EXDEV, "renaming"},                     {Step::syncFolder, EIO, "syncing the folder"},
    };
    for (const auto& c : cases) {
        calls = FaultyCalls{};
        calls.failing = c.step;
        calls.error = c.error;
        expectUntouched(c.what);
    }
}

TEST_F(Save, AWriteFailingAtAnyByteKeepsTheOldFile)
{
    for (size_t budget = 0; budget < newText.size(); ++budget) {
        calls = FaultyCalls{};
        calls.failing = Step::write;
        calls.error = budget % 2 ? ENOSPC : EIO;
        calls.writeBudget = budget;
        expectUntouched("a write failing after " + std::to_string(budget) + " bytes");
    }
}

TEST_F(Save, AFailedFolderSyncWithNoOldFileLeavesNoFile)
{
    ASSERT_EQ(::unlink(target.c_str()), 0);
    calls.failing = Step::syncFolder;
    EXPECT_FALSE(writeModel(doc, target));
    EXPECT_EQ(entriesIn(dir.str()), 1);
}

TEST_F(Save, ErrorNamesTheStep)
{
    calls.failing = Step::rename;
    calls.error = EACCES;
    AtomicFile file(target);
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write("x"));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(file.error(), std::string("renaming the temporary file: ") + std::strerror(EACCES));
}

TEST_F(Save, ASymbolicLinkIsKeptAndTheFileItNamesReplaced)
{
    ::mkdir((dir / "real").c_str(), 0755);
    writeText(dir / "real/model.md4", "old\n");
    ASSERT_EQ(::symlink("real/model.md4", (dir / "hop").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "hop").c_str(), (dir / "link.md4").c_str()), 0);
    ASSERT_TRUE(writeModel(doc, dir / "link.md4"));
    struct stat st;
    ASSERT_EQ(::lstat((dir / "link.md4").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readText(dir / "real/model.md4"), newText);
    EXPECT_EQ(entriesIn(dir / "real"), 1);
    // A link to a file not there yet creates it; a loop of links is refused.
    ASSERT_EQ(::symlink("later.md4", (dir / "dangling.md4").c_str()), 0);
    EXPECT_TRUE(writeModel(doc, dir / "dangling.md4"));
    EXPECT_EQ(readText(dir / "later.md4"), newText);
    ASSERT_EQ(::symlink("loop2.md4", (dir / "loop1.md4").c_str()), 0);
    ASSERT_EQ(::symlink("loop1.md4", (dir / "loop2.md4").c_str()), 0);
    EXPECT_FALSE(writeModel(doc, dir / "loop1.md4"));
}

TEST_F(Save, AFolderThatCannotBeWrittenOrIsMissingFails)
{
    EXPECT_FALSE(writeModel(doc, dir / "no/such/folder/model.md4"));
    ::mkdir((dir / "locked").c_str(), 0555);
    writeText(dir / "locked/model.md4", "old contents\n");
    ::chmod((dir / "locked").c_str(), 0555);
    if (::access((dir / "locked").c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights to every folder";
    EXPECT_FALSE(writeModel(doc, dir / "locked/model.md4"));
    EXPECT_EQ(readText(dir / "locked/model.md4"), "old contents\n");
    ::chmod((dir / "locked").c_str(), 0755);
}

TEST_F(Save, ATargetThatIsAFolderIsLeftAlone)
{
    ::mkdir((dir / "sub").c_str(), 0755);
    writeText(dir / "sub/keep", "k");
    EXPECT_FALSE(writeModel(doc, dir / "sub"));
    EXPECT_EQ(readText(dir / "sub/keep"), "k");
    EXPECT_EQ(entriesIn(dir.str()), 3);
}

TEST(AtomicFile, LargeTextsGoOutInPiecesAndOnlyAtTheCommit)
{
    TempDir dir;
    writeText(dir / "t", "old");
    AtomicFile file(dir / "t");
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write(std::string(3 << 20, 'x')));
    ASSERT_TRUE(file.write("end"));
    EXPECT_EQ(readText(dir / "t"), "old");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(readText(dir / "t").size(), (3u << 20) + 3);
}
