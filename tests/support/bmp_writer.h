// Writes small BMP files for tests: 8-bit by default, any header values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace quillo::test {

struct BmpShape {
    int32_t width = 4, height = 4;
    uint16_t bitsPerPixel = 8;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    // Palette entries as 0xRRGGBB.
    std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    // Pixel indices, top row first; empty means all zero.
    std::vector<uint8_t> pixels;
};

inline std::string bmpBytes(const BmpShape& s)
{
    auto put32 = [](std::string& b, uint32_t v) {
        for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [](std::string& b, uint16_t v) {
        b += char(v & 0xFF);
        b += char(v >> 8);
    };
    const int32_t h = s.height < 0 ? -s.height : s.height;
    // 1, 2 and 4 bits pack several pixels into a byte, high bits first;
    // any other count is written one byte per pixel.
    const bool packed = s.bitsPerPixel == 1 || s.bitsPerPixel == 2 || s.bitsPerPixel == 4;
    const int32_t stride = packed ? (s.width * s.bitsPerPixel + 31) / 32 * 4 : (s.width + 3) / 4 * 4;
    const uint32_t offset = 54 + 4 * uint32_t(s.palette.size());
    std::string b = "BM";
    put32(b, offset + uint32_t(stride * h));
    put32(b, 0);
    put32(b, offset);
    put32(b, s.headerSize);
    put32(b, uint32_t(s.width));
    put32(b, uint32_t(s.height));
    put16(b, 1);
    put16(b, s.bitsPerPixel);
    put32(b, s.compression);
    for (int i = 0; i < 5; ++i) put32(b, 0);
    for (uint32_t c : s.palette) {
        b += char(c & 0xFF);
        b += char((c >> 8) & 0xFF);
        b += char((c >> 16) & 0xFF);
        b += char(0);
    }
    for (int32_t fileRow = 0; fileRow < h; ++fileRow) {
        const int32_t top = h - 1 - fileRow; // the file stores the bottom row first
        std::string row(size_t(stride), '\0');
        for (int32_t x = 0; x < s.width && !s.pixels.empty(); ++x) {
            const uint8_t v = s.pixels[size_t(top * s.width + x)];
            if (!packed) {
                row[size_t(x)] = char(v);
                continue;
            }
            const int perByte = 8 / s.bitsPerPixel;
            const int shift = 8 - s.bitsPerPixel * (x % perByte + 1);
            row[size_t(x / perByte)] = char(uint8_t(row[size_t(x / perByte)]) | uint8_t(v << shift));
        }
        b += row;
    }
    return b;
}

// A side x side picture of 8-pixel squares in three colours over a black
// key entry, for benchmarks and render tests.
inline BmpShape checkerPattern(int side)
{
    BmpShape bmp;
    bmp.width = bmp.height = side;
    bmp.palette = {0x000000, 0xE0E0E0, 0x3050C0, 0xC04030};
    for (int i = 0; i < side * side; ++i) bmp.pixels.push_back(uint8_t(1 + ((i / side / 8 + i % side / 8) % 3)));
    return bmp;
}

inline void writeBmp(const std::string& path, const BmpShape& s) { writeText(path, bmpBytes(s)); }

} // namespace quillo::test
