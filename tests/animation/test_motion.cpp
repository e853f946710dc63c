#include "animation/md6_file.h"
#include "animation/motion.h"
#include "animation/motion_frames.h"
#include "animation/pattern_words.h"
#include "animation/record_bytes.h"
#include "fake_models.h"
#include "model/file_util.h"
#include "model/messages.h"
#include "support/temp_dir.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace quillo;
using namespace quillo::anim;
using namespace quillo::anim::test;

namespace {

struct SizeCase {
    int textures, joints, words, recordSize;
};

class MotionTest : public ::testing::Test {
protected:
    // An object with 6 textures, a root part and two joints.
    FakeObject object{6, 2};
    MotionList motions;
    MessageLog log;
    quillo::test::TempDir dir;

    Motion& makeMotion() { return *createMotion(motions, object, "歩く"); }
    void pose(float v)
    {
        object.part(0).values = {v, v + 1, v + 2, 0.1f * v, 0.2f, 0.3f};
        object.part(1).values = {v, 0, 0};
        object.part(2).values = {0, v, 0};
    }
};

} // namespace

TEST_F(MotionTest, RecordSizeFollowsTexturesAndJoints)
{
    const SizeCase cases[] = {{0, 0, 0, 24}, {0, 2, 0, 48}, {5, 0, 1, 28}, {6, 1, 2, 44}, {11, 3, 3, 72}};
    for (const SizeCase& c : cases) {
        FakeObject o(c.textures, c.joints);
        EXPECT_EQ(patternWordCount(c.textures), c.words);
        EXPECT_EQ(motionRecordSize(o), c.recordSize) << c.textures << " textures, " << c.joints << " joints";
    }
}

TEST_F(MotionTest, NoTexturesMeansTheRootPoseComesFirst)
{
    FakeObject bare(0, 0);
    createMotion(motions, bare, "bare");
    bare.part(0).values = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(recordMotionFrame(bare));
    EXPECT_EQ(getFloat(bare.currentMotion->frames.at(0)), 1.0f);
    EXPECT_EQ(getFloat(bare.currentMotion->frames.at(0) + 20), 6.0f);
}

TEST_F(MotionTest, PatternWordsPackSixBitsPerTextureAndMask)
{
    Motion& m = makeMotion();
    object.patterns = {63, 1, 2, 3, 4, 63};
    ASSERT_TRUE(recordMotionFrame(object));
    const unsigned char* rec = m.frames.at(0);
    EXPECT_EQ(getWord(rec), 63u | 1u << 6 | 2u << 12 | 3u << 18 | 4u << 24);
    EXPECT_EQ(getWord(rec + 4), 63u); // the sixth texture alone in word 2, bits 6.. zero
    object.patterns = {0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(applyMotionFrame(object));
    EXPECT_EQ(object.patterns, (std::vector<int>{63, 1, 2, 3, 4, 63}));

    // An index beyond 6 bits never spills into the next field.
    struct Wide : FakeObject {
        Wide() : FakeObject(2, 0) {}
        int currentPattern(int t) const override { return t == 0 ? 64 + 5 : 1; }
    } wide;
    unsigned char words[4];
    storePatterns(wide, words);
    EXPECT_EQ(getWord(words), 5u | 1u << 6);
}

TEST_F(MotionTest, RecordAppendsAtTheEndAndOverwritesInside)
{
    Motion& m = makeMotion();
    pose(1);
    recordMotionFrame(object);
    object.motionFrameIndex = 1;
    pose(2);
    recordMotionFrame(object);
    ASSERT_EQ(m.frames.count(), 2);
    object.motionFrameIndex = 0;
    pose(3);
    recordMotionFrame(object);
    EXPECT_EQ(m.frames.count(), 2);
    EXPECT_EQ(getFloat(m.frames.at(0) + 8), 3.0f);
    EXPECT_EQ(getFloat(m.frames.at(1) + 8), 2.0f);
    object.motionFrameIndex = 99; // past the end: appended at the end
    recordMotionFrame(object);
    EXPECT_EQ(object.motionFrameIndex, 2);
    EXPECT_EQ(m.frames.count(), 3);
}

TEST_F(MotionTest, SteppingPastTheLastFrameAppliesNothing)
{
    makeMotion();
    pose(1);
    recordMotionFrame(object);
    object.motionFrameIndex = 1;
    pose(2);
    recordMotionFrame(object);
    pose(9);
    object.motionFrameIndex = 0;
    stepMotion(object, +1);
    EXPECT_EQ(object.part(0).values[0], 2.0f);
    const int loads = object.part(0).loads;
    stepMotion(object, +1);
    EXPECT_EQ(object.motionFrameIndex, 2);
    EXPECT_EQ(object.part(0).loads, loads);
    stepMotion(object, +1);
    EXPECT_EQ(object.motionFrameIndex, 2);
    stepMotion(object, -1);
    EXPECT_EQ(object.motionFrameIndex, 1);
    previewMotion(object, -1);
    EXPECT_EQ(object.motionFrameIndex, 1);
    EXPECT_EQ(object.part(0).values[0], 1.0f);
    previewMotion(object, +1); // no frame 2
    EXPECT_EQ(object.part(0).values[0], 1.0f);
    deleteMotionFrame(object);
    EXPECT_EQ(object.currentMotion->frames.count(), 1);
    EXPECT_EQ(object.motionFrameIndex, 1);
}

TEST_F(MotionTest, WithoutAMotionTheIndexGoesBackToZero)
{
    object.motionFrameIndex = 5;
    EXPECT_FALSE(recordMotionFrame(object));
    EXPECT_EQ(object.motionFrameIndex, 0);
    object.motionFrameIndex = -3;
    EXPECT_FALSE(applyMotionFrame(object));
    EXPECT_EQ(object.motionFrameIndex, 0);
    EXPECT_FALSE(inbetweenMotion(object));
}

TEST_F(MotionTest, AMotionOfAnotherShapeIsNeverUsed)
{
    Motion& m = makeMotion();
    pose(1);
    recordMotionFrame(object);
    object.motionFrameIndex = 1;
    recordMotionFrame(object);
    FakeObject other(6, 3); // one joint more: records are 12 bytes longer
    other.currentMotion = &m;
    EXPECT_FALSE(recordMotionFrame(other));
    EXPECT_FALSE(applyMotionFrame(other));
    EXPECT_FALSE(inbetweenMotion(other));
    EXPECT_EQ(m.frames.count(), 2);
    EXPECT_EQ(other.part(3).loads, 0);
    ASSERT_FALSE(log.messages.empty());
    EXPECT_EQ(log.messages.back(), "動作 歩く はこの物体には使えません");
}

TEST_F(MotionTest, InbetweenInsertsTheHalfwayPoseAndKeepsPatterns)
{
    Motion& m = makeMotion();
    object.patterns = {7, 0, 0, 0, 0, 9};
    pose(0);
    object.part(0).values = {0, 0, 0, 0, 0, 0};
    recordMotionFrame(object);
    object.motionFrameIndex = 1;
    object.patterns = {1, 1, 1, 1, 1, 1};
    object.part(0).values = {2, 4, -6, 0, 0, 2.0f};
    recordMotionFrame(object);
    object.motionFrameIndex = 0;
    ASSERT_TRUE(inbetweenMotion(object));
    EXPECT_EQ(object.motionFrameIndex, 0);
    ASSERT_EQ(m.frames.count(), 3);
    const unsigned char* mid = m.frames.at(1);
    EXPECT_EQ(getWord(mid), 7u);
    EXPECT_EQ(getWord(mid + 4), 9u);
    EXPECT_EQ(getFloat(mid + 8), 1.0f);
    EXPECT_EQ(getFloat(mid + 12), 2.0f);
    EXPECT_EQ(getFloat(mid + 16), -3.0f);
    EXPECT_EQ(getFloat(mid + 28), 1.0f); // azimuths 0 and 2
    object.motionFrameIndex = 2;
    EXPECT_FALSE(inbetweenMotion(object)); // last frame: nothing
    EXPECT_EQ(m.frames.count(), 3);
}

TEST_F(MotionTest, NonFiniteStoredValuesNeverReachTheObject)
{
    Motion& m = makeMotion();
    pose(1);
    recordMotionFrame(object);
    putFloat(m.frames.at(0) + 8, std::numeric_limits<float>::quiet_NaN());
    putFloat(m.frames.at(0) + 12, std::numeric_limits<float>::infinity());
    pose(5);
    applyMotionFrame(object);
    // Two pattern words come first: x and y of the root part are at 8 and 12.
    EXPECT_EQ(object.part(0).values[0], 5.0f); // kept
    EXPECT_EQ(object.part(0).values[1], 6.0f); // kept
    EXPECT_EQ(object.part(0).values[2], 3.0f);
    EXPECT_EQ(object.part(1).values[0], 1.0f);
    EXPECT_TRUE(std::isnan(getFloat(m.frames.at(0) + 8))); // the bytes stay
}

TEST_F(MotionTest, FileRoundTripIsByteIdentical)
{
    Motion& m = makeMotion();
    for (int f = 0; f < 3; ++f) {
        object.motionFrameIndex = f;
        pose(float(f));
        object.patterns[0] = 63;
        recordMotionFrame(object);
    }
    const std::string path = dir / "walk.md6";
    ASSERT_TRUE(writeMotion(m, path));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes));
    const std::string header = "歩く\n56\ndata\n3\n";
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.size(), header.size() + 3 * 56);
    Motion back;
    ASSERT_EQ(readMotion(path, back), ReadStatus::ok);
    EXPECT_EQ(back.path, path);
    EXPECT_EQ(back.name, "歩く");
    EXPECT_EQ(motionFileBytes(back), bytes);
    EXPECT_TRUE(log.messages.empty());
}

struct ParseCase {
    const char* what;
    std::string bytes;
    ReadStatus status;
    const char* name;
    int recordSize, frames;
};

TEST(Md6Parse, HeadersCountsAndDamage)
{
    const std::string rec8(8, '\x01');
    const ParseCase cases[] = {
        {"a third token other than data", "run\n8\nnodata\n2\n" + rec8 + rec8, ReadStatus::ok, "run", 8, 0},
        {"complete", "run\n8\ndata\n2\n" + rec8 + rec8, ReadStatus::ok, "run", 8, 2},
        {"one record short", "run\n8\ndata\n3\n" + rec8 + rec8 + "abc", ReadStatus::damaged, "run", 8, 2},
        {"huge count", "run\n8\ndata\n2147483647\n" + rec8, ReadStatus::damaged, "run", 8, 1},
        {"negative count", "run\n8\ndata\n-4\n", ReadStatus::damaged, "run", 8, 0},
        {"negative size", "run\n-8\ndata\n1\n", ReadStatus::cannotOpen, "", 0, 0},
        {"size not a number", "run\nabc\n", ReadStatus::cannotOpen, "", 0, 0},
        {"empty", "", ReadStatus::cannotOpen, "", 0, 0},
        {"ideographic space stays in the name", "a\u3000b\n8\ndata\n0\n", ReadStatus::ok, "a\u3000b", 8, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.what);
        Motion m;
        EXPECT_EQ(parseMotion(c.bytes, m), c.status);
        if (c.status == ReadStatus::cannotOpen) continue;
        EXPECT_EQ(m.name, c.name);
        EXPECT_EQ(m.frames.recordSize(), c.recordSize);
        EXPECT_EQ(m.frames.count(), c.frames);
    }
}

TEST(Md6Parse, LongNamesAreCutAtACharacterBoundary)
{
    std::string name;
    for (int i = 0; i < 30; ++i) name += "あ"; // 90 bytes
    Motion m;
    ASSERT_EQ(parseMotion(name + "\n24\ndata\n0\n", m), ReadStatus::ok);
    EXPECT_EQ(m.name.size(), 78u); // 26 whole characters
}

TEST_F(MotionTest, UnreadableAndDamagedFiles)
{
    Motion& m = makeMotion();
    m.path = "keep.md6";
    EXPECT_EQ(readMotion(dir / "none.md6", m), ReadStatus::cannotOpen);
    EXPECT_EQ(m.name, "歩く");
    EXPECT_EQ(m.path, "keep.md6");
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "ファイル " + (dir / "none.md6") + " が読み込めません");

    writeFileAtomically(dir / "cut.md6", "cut\n4\ndata\n3\nAAAABBBBCC");
    Motion cut;
    EXPECT_EQ(readMotion(dir / "cut.md6", cut), ReadStatus::damaged);
    EXPECT_EQ(cut.frames.count(), 2);
    EXPECT_EQ(cut.path, "new.md6"); // a save cannot overwrite the file with the partial motion
}

TEST_F(MotionTest, NamesThatWouldNotReadBackAreRefused)
{
    for (const char* bad : {"", "two words", "tab\there", "line\nbreak"}) {
        EXPECT_EQ(createMotion(motions, object, bad), nullptr) << bad;
        Motion m;
        m.name = bad;
        EXPECT_FALSE(writeMotion(m, dir / "bad.md6"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.md6"));
    EXPECT_EQ(motions.count(), 0);
    EXPECT_NE(createMotion(motions, object, "全角\u3000空白"), nullptr);
}

TEST_F(MotionTest, SaveAsksOnlyWhenTheFileExists)
{
    Motion& m = makeMotion();
    m.path = dir / "walk.md6";
    int chooserCalls = 0;
    auto chooser = [&] {
        ++chooserCalls;
        return dir / "other.md6";
    };
    ASSERT_TRUE(saveMotion(m, chooser));
    EXPECT_TRUE(log.messages.empty());
    EXPECT_EQ(chooserCalls, 0);

    log.answer = false;
    EXPECT_FALSE(saveMotion(m, chooser));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "動作 歩く をファイルに保存しますか？");
    EXPECT_EQ(chooserCalls, 0);

    log.answer = true;
    EXPECT_FALSE(saveMotion(m, [] { return std::string(); })); // cancelled
    EXPECT_EQ(m.path, dir / "walk.md6");
    ASSERT_TRUE(saveMotion(m, chooser));
    EXPECT_EQ(m.path, dir / "other.md6");
    EXPECT_TRUE(std::filesystem::exists(dir / "other.md6"));
}

TEST_F(MotionTest, AFailedWriteIsReportedAndLeavesNoFile)
{
    Motion& m = makeMotion();
    const std::string path = dir / "missing-folder/walk.md6";
    EXPECT_FALSE(writeMotion(m, path));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "ファイル " + path + " に書き込めません");
}

TEST(Md6Parse, ANameThatIsNoUtf8IsCutAtTheByteNotToNothing)
{
    Motion m;
    ASSERT_EQ(parseMotion(std::string(100, '\xa5') + "\n8\ndata\n0\n", m), ReadStatus::ok);
    EXPECT_EQ(m.name, std::string(79, '\xa5'));
}
