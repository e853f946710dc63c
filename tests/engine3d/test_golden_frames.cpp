// Frames of the examples drawn through the whole engine, compared by the
// checksum of the RGB32 target. The same frames are kept as PNG files in
// golden/ (written by quilloanime --render with the same options; CTest
// compares those too).
#include <gtest/gtest.h>

#include <cstdio>

#include "device_fixture.h"
#include "engine3d/model_snapshot.h"
#include "model/messages.h"

namespace quillo::engine3d::test {
namespace {

struct Golden {
    const char* name;
    const char* model; // below the source tree
    SnapshotOptions options;
    uint64_t checksum;
};

SnapshotOptions options(int w, int h, int zoom = 256, bool zbuffer = true)
{
    SnapshotOptions o;
    o.width = w, o.height = h, o.zoom = zoom, o.zbuffer = zbuffer;
    return o;
}

SnapshotOptions jointView(bool zbuffer)
{
    SnapshotOptions o = options(320, 240, 512, zbuffer);
    o.camera = true;
    const float view[6] = {-40, -25, -165, -0.15f, 0, 0.25f};
    for (int i = 0; i < 6; ++i) o.view[i] = view[i];
    return o;
}

class GoldenFrames : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFrames, MatchTheStoredChecksum)
{
    const Golden& g = GetParam();
    MessageLog log;
    Target frame;
    ASSERT_TRUE(snapshotModel(std::string(QUILLO_SOURCE_DIR) + "/" + g.model, g.options, frame));
    EXPECT_TRUE(log.messages.empty());
    const uint64_t sum = checksum(frame);
    EXPECT_EQ(sum, g.checksum) << g.name << ": 0x" << std::hex << sum;
    // Drawn twice, the same pixels.
    Target again;
    ASSERT_TRUE(snapshotModel(std::string(QUILLO_SOURCE_DIR) + "/" + g.model, g.options, again));
    EXPECT_EQ(again.pixels, frame.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GoldenFrames,
    ::testing::Values(Golden{"robot", "examples/robot.md4", options(320, 240), 0x68cb37e97211b93dull},
                      Golden{"dice", "examples/dice.md4", options(320, 240), 0xa45c2ecaed56cbdeull},
                      Golden{"house", "examples/house.md5", options(320, 240, 384), 0x87eab92737be4a47ull},
                      Golden{"joint", "examples/joint.md4", jointView(true), 0x6a6bb880bd462a24ull},
                      Golden{"joint_no_z", "examples/joint.md4", jointView(false), 0x1b11bc5be888932eull}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quillo::engine3d::test
