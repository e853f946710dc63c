#include "bmp_pattern.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <vector>

#include "bmp_header.h"
#include "colour_table.h"
#include "file_util.h"
#include "messages.h"

namespace quillo {

namespace {

const char* const notFound = "ファイル %s が見つかりません";
const char* const notBmp = "ファイル %s はＢＭＰファイルではありません";
const char* const not256 = "ファイル %s は２５６色ＢＭＰファイルではありません";

// Appends bytes of the open file until `bytes` holds `size` of them or the
// file ends.
void readUpTo(FILE* f, std::string& bytes, uint64_t size)
{
    char chunk[65536];
    while (bytes.size() < size) {
        const size_t want = size_t(std::min<uint64_t>(sizeof chunk, size - bytes.size()));
        const size_t n = std::fread(chunk, 1, want, f);
        if (n == 0) break;
        bytes.append(chunk, n);
    }
}

// The parts of a pattern file that matter, read from its bytes.
struct BmpFile {
    std::string bytes;
    uint32_t pixelOffset = 0;
    int32_t width = 0, height = 0;
    unsigned char palette[256][3] = {}; // red, green, blue
};

// Reads and checks everything but the size rules. Only the header, the
// palette and the rows a texture can use are read (`rows` at least, or the
// file's own height), so a huge or endless file costs no more memory than
// the picture it claims to hold. Returns false after showing the message for
// the first thing wrong.
bool openBmp(const char* path, BmpFile& bmp, int32_t rows = 0)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        errorbox(formatMessage(notFound, path));
        return false;
    }
    // The header, then the palette (at most 256 entries before the pixels).
    readUpTo(f, bmp.bytes, 54);
    BmpHeader header;
    if (readBmpHeader(bmp.bytes, header) == BmpHeaderStatus::ok)
        readUpTo(f, bmp.bytes, std::min<uint64_t>(header.pixelOffset, 54 + 256 * 4));
    const BmpHeaderStatus status = readBmpHeader(bmp.bytes, header);
    auto refuse = [&](const char* message) {
        std::fclose(f);
        errorbox(formatMessage(message, path));
        return false;
    };
    if (status == BmpHeaderStatus::notBm) return refuse(notBmp);
    if (status == BmpHeaderStatus::shortHeader)
        return refuse(bmp.bytes.size() >= 18 && header.headerSize != 40 ? not256 : notBmp);
    bmp.pixelOffset = header.pixelOffset;
    bmp.width = header.width;
    bmp.height = header.height;
    if (header.headerSize != 40 || header.bitCount != 8 || header.compression != 0) return refuse(not256);
    std::memcpy(bmp.palette, header.palette, sizeof bmp.palette);
    // A negative size is refused later: no pixels are read for it.
    const uint64_t stride = bmp.width < 0 ? 0 : (uint64_t(bmp.width) + 3) / 4 * 4;
    const uint64_t height = uint64_t(std::max({bmp.height, rows, 0}));
    readUpTo(f, bmp.bytes, uint64_t(bmp.pixelOffset) + stride * height);
    std::fclose(f);
    return true;
}

// True when the pixel rows of `width` x `height` lie inside the file.
bool pixelsPresent(const BmpFile& bmp, int32_t width, int32_t height)
{
    if (width < 0 || height < 0) return false;
    BmpHeader header;
    header.pixelOffset = bmp.pixelOffset;
    return bmpPixelsPresent(bmp.bytes, header, bmpRowStride(width, 8), uint64_t(uint32_t(height)));
}

// Maps each palette index of one file to a colour-table row once; the
// first index met takes the texture's own colour.
class IndexMap {
public:
    IndexMap(const BmpFile& bmp, const Texture& texture, GMTBL& table)
        : bmp_(bmp), texture_(texture), table_(table)
    {
        std::fill(std::begin(map_), std::end(map_), -1);
    }
    int32_t operator()(unsigned char index)
    {
        if (map_[index] >= 0) return map_[index];
        int r = bmp_.palette[index][0], g = bmp_.palette[index][1], b = bmp_.palette[index][2];
        if (first_) {
            r = texture_.red;
            g = texture_.green;
            b = texture_.blue;
            first_ = false;
        }
        map_[index] = table_.getm(r, g, b, texture_.ambient, texture_.diffuse, texture_.specular) * 64;
        return map_[index];
    }

private:
    const BmpFile& bmp_;
    const Texture& texture_;
    GMTBL& table_;
    int32_t map_[256];
    bool first_ = true;
};

bool powerOfTwo(int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

} // namespace

int checkPattern(Texture& texture, const char* path, GMTBL& table)
{
    BmpFile bmp;
    if (!openBmp(path, bmp)) return 0;
    if (texture.width == 0) {
        if (bmp.width < 0 || bmp.height < 0) {
            errorbox(formatMessage("反転したＢＭＰファイルは扱えません\nファイル %s", path));
            return 0;
        }
        if (!powerOfTwo(bmp.width)) {
            errorbox(formatMessage("テクスチャ用ＢＭＰファイルのサイズは\n２のべき乗でなければなりません\nファイル %s", path));
            return 0;
        }
    } else if (bmp.width != texture.width || bmp.height != texture.height) {
        errorbox(formatMessage("一つのテクスチャに使うＢＭＰファイルは\n同じ大きさでなければなりません\nファイル %s", path));
        return 0;
    }
    if (!pixelsPresent(bmp, bmp.width, bmp.height)) {
        errorbox(formatMessage(notBmp, path));
        return 0;
    }
    // Only a file that passed every check fixes the size, so a refused first
    // file cannot become the size the next check compares with.
    if (texture.width == 0) {
        texture.width = bmp.width;
        texture.height = bmp.height;
    }
    IndexMap map(bmp, texture, table);
    const size_t stride = (size_t(bmp.width) + 3) / 4 * 4;
    for (int32_t row = 0; row < bmp.height; ++row) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bmp.bytes.data()) + bmp.pixelOffset + size_t(row) * stride;
        for (int32_t x = 0; x < bmp.width; ++x) map(p[x]);
    }
    return 1;
}

int loadPatterns(Texture& texture, GMTBL& table)
{
    const int count = texture.patternCount < 0 ? 0 : (texture.patternCount > maxPatterns ? maxPatterns : texture.patternCount);
    for (int i = 0; i < count; ++i) {
        const char* path = texture.files[i];
        BmpFile bmp;
        if (!openBmp(path, bmp, texture.height)) return 0;
        const int32_t w = texture.width, h = texture.height;
        // The file's own width gives the stride; its rows must hold the
        // texture's width and height (a file changed since the check may not).
        if (w <= 0 || h < 0 || bmp.width < w || bmp.height < 0 || !pixelsPresent(bmp, bmp.width, h)) {
            errorbox(formatMessage(notBmp, path));
            return 0;
        }
        if (texture.currentImage == texture.images[i]) texture.currentImage = nullptr;
        std::free(texture.images[i]);
        texture.images[i] = nullptr;
        const size_t rowsBytes = size_t(h) * sizeof(int32_t*);
        void* block = std::malloc(rowsBytes + size_t(w) * size_t(h) * sizeof(int32_t) + 1);
        if (!block) {
            errorbox(formatMessage("メモリーが足りません\nプログラムを終了してください"));
            return 0;
        }
        TexelImage image = static_cast<TexelImage>(block);
        int32_t* texels = reinterpret_cast<int32_t*>(static_cast<char*>(block) + rowsBytes);
        for (int32_t y = 0; y < h; ++y) image[y] = texels + size_t(y) * w;
        IndexMap map(bmp, texture, table);
        const size_t stride = (size_t(bmp.width) + 3) / 4 * 4;
        for (int32_t row = 0; row < h; ++row) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(bmp.bytes.data()) + bmp.pixelOffset + size_t(row) * stride;
            int32_t* out = image[h - 1 - row];
            for (int32_t x = 0; x < w; ++x) out[x] = map(p[x]);
        }
        texture.images[i] = image;
    }
    for (int i = count; i < maxPatterns; ++i) {
        if (texture.currentImage == texture.images[i]) texture.currentImage = nullptr;
        std::free(texture.images[i]);
        texture.images[i] = nullptr;
    }
    if (count > 0) {
        texture.currentPattern = 0;
        texture.currentImage = texture.images[0];
    }
    return 1;
}

int patternRgba(const Texture& texture, int pattern, std::vector<unsigned char>& rgba, int32_t& width,
                int32_t& height)
{
    if (pattern < 0 || pattern >= maxPatterns) return 0;
    BmpFile bmp;
    if (!openBmp(texture.files[pattern], bmp)) return 0;
    if (bmp.width <= 0 || bmp.height <= 0 || !pixelsPresent(bmp, bmp.width, bmp.height)) {
        errorbox(formatMessage(notBmp, texture.files[pattern]));
        return 0;
    }
    width = bmp.width;
    height = bmp.height;
    const size_t stride = (size_t(bmp.width) + 3) / 4 * 4;
    const auto key = static_cast<unsigned char>(bmp.bytes[bmp.pixelOffset]); // the bottom-left pixel
    rgba.assign(size_t(width) * size_t(height) * 4, 0);
    for (int32_t row = 0; row < height; ++row) {
        const auto* p = reinterpret_cast<const unsigned char*>(bmp.bytes.data()) + bmp.pixelOffset + size_t(row) * stride;
        unsigned char* out = rgba.data() + size_t(height - 1 - row) * size_t(width) * 4;
        for (int32_t x = 0; x < width; ++x, out += 4) {
            if (p[x] == key) {
                out[0] = static_cast<unsigned char>(std::clamp(texture.red, 0, 255));
                out[1] = static_cast<unsigned char>(std::clamp(texture.green, 0, 255));
                out[2] = static_cast<unsigned char>(std::clamp(texture.blue, 0, 255));
                out[3] = 0;
            } else {
                out[0] = bmp.palette[p[x]][0];
                out[1] = bmp.palette[p[x]][1];
                out[2] = bmp.palette[p[x]][2];
                out[3] = 255;
            }
        }
    }
    return 1;
}

} // namespace quillo
