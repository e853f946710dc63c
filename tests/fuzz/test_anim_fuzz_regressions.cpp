// Every input kept under tests/fuzz/md6 and tests/fuzz/md7 (seeds and
// anything that ever broke a property) runs through its harness again.
#include "anim_harness.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace {

template <class Harness>
void runAll(const char* folder, Harness harness)
{
    const std::filesystem::path dir = std::filesystem::path(QUILLO_SOURCE_DIR) / "tests/fuzz" / folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(harness(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "") << entry.path();
        ++files;
    }
    EXPECT_GT(files, 0);
}

} // namespace

TEST(AnimFuzzRegressions, Md6) { runAll("md6", quillo::fuzz::md6); }
TEST(AnimFuzzRegressions, Md7) { runAll("md7", quillo::fuzz::md7); }
