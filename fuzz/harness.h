// One run of each fuzz target on one input. Each returns "" when every
// property held, otherwise what broke; crashes, leaks and undefined
// behaviour are left to the sanitizers. The libFuzzer entry points and the
// regression tests (tests/fuzz/) call the same functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillo::fuzz {

// MD4/MD5 reading. Byte 0 chooses: bit 0 the flavour (.md4 or .md5), bit 1
// insert mode, bit 2 merging into the current part (insert mode only); the
// rest is the file. A model that is read is written, read back (which must
// succeed, silently, giving the same model) and written again (the same
// text).
std::string md4(const uint8_t* data, size_t size);

// A BMP pattern: checked for a new texture, then loaded; a refused file
// leaves the texture's size unset, an accepted one loads with that size.
std::string bmp(const uint8_t* data, size_t size);

// A DXF drawing converted (byte 0: both sides, reverse, group by colour,
// all white, fast); a written model must read back with one vertex per
// welded point and every face.
std::string dxf(const uint8_t* data, size_t size);

// The settings values: the input is split at NUL bytes into the stored
// strings; loading, saving and loading again give the same settings.
std::string settings(const uint8_t* data, size_t size);

} // namespace quillo::fuzz
