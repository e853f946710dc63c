// Every input a fuzz target ever failed on (crash, hang, leak or broken
// property) is kept under tests/fuzz/<target>/ and runs here through the
// same harness, without clang.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "harness.h"

namespace {

using Harness = std::string (*)(const uint8_t*, size_t);

struct Target {
    const char* folder;
    Harness harness;
};

const Target targets[] = {
    {"md4", quillo::fuzz::md4},
    {"bmp", quillo::fuzz::bmp},
    {"dxf", quillo::fuzz::dxf},
    {"settings", quillo::fuzz::settings},
};

class FuzzRegressions : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzRegressions, EveryKeptInputPasses)
{
    const std::filesystem::path folder = std::filesystem::path(QUILLO_SOURCE_DIR) / "tests/fuzz" / GetParam().folder;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(GetParam().harness(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "")
            << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no inputs kept in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressions, ::testing::ValuesIn(targets),
                         [](const auto& info) { return std::string(info.param.folder); });

} // namespace
