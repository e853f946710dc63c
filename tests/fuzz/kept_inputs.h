// Runs every input kept under tests/fuzz/FOLDER (seeds and anything that
// ever broke a property) through a fuzz harness; each must keep it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace quillo::test {

template <class Harness>
void runKeptInputs(const char* folder, Harness harness)
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

} // namespace quillo::test
