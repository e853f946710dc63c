#include "load_surface.h"

#include "model/bmp_header.h"
#include "model/file_util.h"
#include "model/messages.h"

namespace quillo::engine3d {

namespace {

const char* const notFound = "ファイル %s が見つかりません";
const char* const notBmp = "%s はｂｍｐファイルではありません";
const char* const not256 = "%s は２５６色ｂｍｐファイルではありません";
const char* const unreadable = "%s の形式のｂｍｐファイルは読めません";

bool refuse(const char* format, const std::string& path)
{
    errorbox(formatMessage(format, path.c_str()));
    return false;
}

// Palette index of pixel x in a stored row: sub-byte pixels are packed from
// the high bits of each byte down.
unsigned pixelIndex(const unsigned char* row, int32_t x, uint32_t bits)
{
    if (bits == 8) return row[x];
    const uint32_t perByte = 8 / bits;
    const unsigned byte = row[uint32_t(x) / perByte];
    const uint32_t shift = 8 - bits * (uint32_t(x) % perByte + 1);
    return (byte >> shift) & ((1u << bits) - 1);
}

} // namespace

bool loadsurface(const std::string& path, Surface& surface, bool reload, const KeyColour& key)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) return refuse(notFound, path);
    return decodeSurface(bytes, path, surface, reload, key);
}

bool decodeSurface(const std::string& bytes, const std::string& path, Surface& surface, bool reload,
                   const KeyColour& key)
{
    BmpHeader h;
    const BmpHeaderStatus status = readBmpHeader(bytes, h);
    if (status == BmpHeaderStatus::notBm) return refuse(notBmp, path);
    if (status == BmpHeaderStatus::shortHeader)
        return refuse(bytes.size() >= 18 && h.headerSize != 40 ? not256 : notBmp, path);
    if (h.headerSize != 40) return refuse(not256, path);
    const uint32_t bits = h.bitCount;
    if (bits > 8 || h.compression != 0) return refuse(unreadable, path);
    // Bit counts that do not divide a byte, top-down rows, and empty or
    // absurd sizes cannot be read either.
    if ((bits != 1 && bits != 2 && bits != 4 && bits != 8) || h.width <= 0 || h.height <= 0 ||
        h.width > maxSurfaceSide || h.height > maxSurfaceSide || int64_t(h.width) * h.height > maxSurfacePixels)
        return refuse(unreadable, path);
    const uint64_t stride = bmpRowStride(h.width, bits);
    if (!bmpPixelsPresent(bytes, h, stride, uint64_t(h.height))) return refuse(notBmp, path);
    if (reload && (surface.width != h.width || surface.height != h.height)) {
        errorbox(formatMessage("ｂｍｐファイルのサイズが違います\nloadsurface関数"));
        return false;
    }

    uint32_t colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = uint32_t(h.palette[i][0]) << 16 | uint32_t(h.palette[i][1]) << 8 | h.palette[i][2];
    const auto* pixels = reinterpret_cast<const unsigned char*>(bytes.data()) + h.pixelOffset;
    if (key.on()) {
        // The bottom-left pixel is the first one stored.
        auto clampChannel = [](int32_t c) { return uint32_t(c < 0 ? 0 : (c > 255 ? 255 : c)); };
        colours[pixelIndex(pixels, 0, bits)] = clampChannel(key.red) << 16 | clampChannel(key.green) << 8 | clampChannel(key.blue);
    }
    Surface out;
    out.width = h.width;
    out.height = h.height;
    out.pixels.resize(size_t(h.width) * size_t(h.height));
    for (int32_t fileRow = 0; fileRow < h.height; ++fileRow) {
        const unsigned char* row = pixels + uint64_t(fileRow) * stride;
        uint32_t* dst = out.pixels.data() + size_t(h.height - 1 - fileRow) * size_t(h.width);
        for (int32_t x = 0; x < h.width; ++x) dst[x] = colours[pixelIndex(row, x, bits)];
    }
    surface = std::move(out);
    return true;
}

} // namespace quillo::engine3d
