#include "bmp_header.h"

namespace quillo {

namespace {

uint32_t u32(const std::string& b, size_t at)
{
    auto c = [&](size_t i) { return uint32_t(static_cast<unsigned char>(b[at + i])); };
    return c(0) | c(1) << 8 | c(2) << 16 | c(3) << 24;
}

uint16_t u16(const std::string& b, size_t at)
{
    return uint16_t(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

} // namespace

BmpHeaderStatus readBmpHeader(const std::string& b, BmpHeader& h)
{
    h = BmpHeader();
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') return BmpHeaderStatus::notBm;
    if (b.size() >= 18) h.headerSize = u32(b, 14);
    if (b.size() < 54) return BmpHeaderStatus::shortHeader;
    h.pixelOffset = u32(b, 10);
    h.width = int32_t(u32(b, 18));
    h.height = int32_t(u32(b, 22));
    h.planes = u16(b, 26);
    h.bitCount = u16(b, 28);
    h.compression = u32(b, 30);
    size_t at = 54;
    for (int i = 0; i < 256 && at + 4 <= h.pixelOffset && at + 4 <= b.size(); ++i, at += 4) {
        h.palette[i][0] = static_cast<unsigned char>(b[at + 2]);
        h.palette[i][1] = static_cast<unsigned char>(b[at + 1]);
        h.palette[i][2] = static_cast<unsigned char>(b[at]);
        h.paletteEntries = i + 1;
    }
    return BmpHeaderStatus::ok;
}

uint64_t bmpRowStride(int32_t width, uint32_t bitCount)
{
    if (width < 0) return 0;
    return (uint64_t(width) * bitCount + 31) / 32 * 4;
}

bool bmpPixelsPresent(const std::string& bytes, const BmpHeader& header, uint64_t stride, uint64_t rows)
{
    // Both factors are below 2^32, so the product cannot wrap.
    return uint64_t(header.pixelOffset) + stride * rows <= bytes.size();
}

} // namespace quillo
