// One run of the motion and animation fuzz targets on one input. Each
// returns "" when every property held, otherwise what broke; crashes and
// undefined behaviour are left to the sanitizers. The libFuzzer entry points
// and the regression tests (tests/fuzz/md6, tests/fuzz/md7) call them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillo::fuzz {

// MD6 reading: a motion that reads whole is written, read back (whole) and
// written again, giving the same bytes.
std::string md6(const uint8_t* data, size_t size);

// MD7 reading over stand-in models whose shape comes from their file name;
// every frame operation then runs on each scene, and a document that reads
// whole and can be written reads back to the same bytes.
std::string md7(const uint8_t* data, size_t size);

} // namespace quillo::fuzz
