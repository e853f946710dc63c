// The header fields and palette of a Windows BMP file, read from its bytes
// without judging them: each reader applies its own rules and messages.
#pragma once

#include <cstdint>
#include <string>

namespace quillo {

struct BmpHeader {
    uint32_t pixelOffset = 0; // byte 10
    uint32_t headerSize = 0;  // byte 14
    int32_t width = 0, height = 0;
    uint16_t planes = 0, bitCount = 0;
    uint32_t compression = 0;
    // Entries from byte 54 up to the pixel offset, at most 256, as
    // red, green, blue; entries the file does not hold stay black.
    unsigned char palette[256][3] = {};
    int32_t paletteEntries = 0;
};

enum class BmpHeaderStatus {
    ok,
    notBm,        // shorter than 2 bytes or no "BM"
    shortHeader,  // "BM" but not the 54 bytes of the file and info headers
};

// Reads the fields of `bytes`. With shortHeader, headerSize is still set
// when the file reaches that far (18 bytes).
BmpHeaderStatus readBmpHeader(const std::string& bytes, BmpHeader& header);

// Bytes per stored row: rows of `width` pixels of `bitCount` bits, padded
// to a multiple of 4. 0 for a negative width.
uint64_t bmpRowStride(int32_t width, uint32_t bitCount);

// True when `rows` rows of `stride` bytes from the pixel offset lie inside the file.
bool bmpPixelsPresent(const std::string& bytes, const BmpHeader& header, uint64_t stride, uint64_t rows);

} // namespace quillo
