#include "texture_picture.h"

#include <algorithm>
#include <cstring>
#include <map>

#include <tiny_gltf.h>

namespace quillo {

namespace {

uint32_t bigEndian(const unsigned char* p, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | p[i];
    return v;
}

// The size a PNG or JPEG file states, read before anything is decoded so
// that a file claiming a huge picture is refused without allocating it.
bool statedSize(const unsigned char* b, size_t size, int64_t& width, int64_t& height)
{
    static const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (size >= 24 && std::memcmp(b, png, 8) == 0 && std::memcmp(b + 12, "IHDR", 4) == 0) {
        width = bigEndian(b + 16, 4);
        height = bigEndian(b + 20, 4);
        return true;
    }
    if (size < 4 || b[0] != 0xff || b[1] != 0xd8) return false;
    // JPEG: walk the segments to the first frame header (SOF0 … SOF15 but DHT, JPG and DAC).
    size_t at = 2;
    while (at + 4 <= size) {
        if (b[at] != 0xff) return false;
        const unsigned char marker = b[at + 1];
        if (marker == 0xff) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) { // markers without a length
            at += 2;
            continue;
        }
        const size_t length = bigEndian(b + at + 2, 2);
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) {
            if (at + 9 > size) return false;
            height = bigEndian(b + at + 5, 2);
            width = bigEndian(b + at + 7, 2);
            return true;
        }
        if (length < 2) return false;
        at += 2 + length;
    }
    return false;
}

struct Colour {
    uint8_t c[3];
    bool operator<(const Colour& o) const { return std::memcmp(c, o.c, 3) < 0; }
};

// Median cut: the box with the most texels along its widest channel is
// split at its median until there are `count` boxes; each box's colour is
// the texel-weighted mean of its colours.
std::vector<std::array<uint8_t, 3>> reduceColours(const std::map<Colour, long>& histogram, int count)
{
    using Box = std::vector<std::pair<Colour, long>>;
    std::vector<Box> boxes(1, Box(histogram.begin(), histogram.end()));
    auto widest = [](const Box& box, int& channel) {
        int best = -1;
        for (int k = 0; k < 3; ++k) {
            int lo = 255, hi = 0;
            for (const auto& [c, n] : box) lo = std::min<int>(lo, c.c[k]), hi = std::max<int>(hi, c.c[k]);
            if (hi - lo > best) best = hi - lo, channel = k;
        }
        return best;
    };
    while (int(boxes.size()) < count) {
        int pick = -1, channel = 0;
        long pickWeight = -1;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int k = 0;
            if (boxes[i].size() < 2 || widest(boxes[i], k) <= 0) continue;
            long weight = 0;
            for (const auto& entry : boxes[i]) weight += entry.second;
            if (weight > pickWeight) pickWeight = weight, pick = int(i);
        }
        if (pick < 0) break;
        Box& box = boxes[size_t(pick)];
        widest(box, channel);
        std::sort(box.begin(), box.end(), [channel](const auto& a, const auto& b) { return a.first.c[channel] < b.first.c[channel]; });
        long half = 0, seen = 0;
        for (const auto& entry : box) half += entry.second;
        size_t cut = 1;
        for (; cut < box.size(); ++cut) {
            seen += box[cut - 1].second;
            if (seen * 2 >= half) break;
        }
        Box upper(box.begin() + long(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<std::array<uint8_t, 3>> palette;
    for (const Box& box : boxes) {
        double sum[3] = {0, 0, 0}, weight = 0;
        for (const auto& [c, n] : box) {
            for (int k = 0; k < 3; ++k) sum[k] += double(c.c[k]) * double(n);
            weight += double(n);
        }
        std::array<uint8_t, 3> mean{};
        for (int k = 0; k < 3; ++k) mean[size_t(k)] = uint8_t(std::clamp(sum[k] / weight + 0.5, 0.0, 255.0));
        palette.push_back(mean);
    }
    return palette;
}

uint8_t nearest(const std::vector<std::array<uint8_t, 3>>& palette, size_t from, const Colour& c)
{
    size_t best = from;
    long bestDistance = -1;
    for (size_t i = from; i < palette.size(); ++i) {
        long d = 0;
        for (int k = 0; k < 3; ++k) d += long(palette[i][size_t(k)] - c.c[k]) * (palette[i][size_t(k)] - c.c[k]);
        if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
    }
    return uint8_t(best);
}

int32_t powerOfTwoAtMost(int32_t n)
{
    int32_t p = 1;
    while (p * 2 <= n) p *= 2;
    return p;
}

void put16(std::string& out, uint32_t v)
{
    out += char(v & 0xff);
    out += char(v >> 8 & 0xff);
}

void put32(std::string& out, uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

} // namespace

bool decodePicture(const unsigned char* bytes, size_t size, RgbaPicture& out, std::string& why)
{
    int64_t width = 0, height = 0;
    if (!statedSize(bytes, size, width, height)) {
        why = "not a PNG or JPEG picture";
        return false;
    }
    if (width < 1 || height < 1 || width > maxPictureSide || height > maxPictureSide || width * height > maxPicturePixels) {
        why = "picture of " + std::to_string(width) + " x " + std::to_string(height) + " texels is too large";
        return false;
    }
    tinygltf::Image image;
    std::string error, warning;
    if (size > size_t(1) << 30 ||
        !tinygltf::LoadImageData(&image, 0, &error, &warning, 0, 0, bytes, int(size), nullptr)) {
        why = "cannot decode the picture";
        return false;
    }
    const size_t texels = size_t(image.width) * size_t(image.height);
    const size_t channelBytes = image.bits == 16 ? 2 : 1;
    if (image.component != 4 || image.image.size() != texels * 4 * channelBytes) {
        why = "cannot decode the picture";
        return false;
    }
    out.width = image.width;
    out.height = image.height;
    if (channelBytes == 1) {
        out.rgba = std::move(image.image);
    } else { // 16 bits per channel in the machine's order: keep the high byte
        out.rgba.resize(texels * 4);
        for (size_t i = 0; i < texels * 4; ++i) {
            uint16_t v;
            std::memcpy(&v, image.image.data() + i * 2, 2);
            out.rgba[i] = uint8_t(v >> 8);
        }
    }
    return true;
}

PatternPicture patternPicture(const RgbaPicture& picture, int colours)
{
    PatternPicture out;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgba.size() != size_t(picture.width) * size_t(picture.height) * 4)
        return out;
    out.width = powerOfTwoAtMost(std::min(picture.width, 1024));
    out.height = std::min(picture.height, 1024);
    auto texel = [&](int32_t x, int32_t y) { // (x, y) of the result, top row first
        const size_t sx = size_t(int64_t(x) * picture.width / out.width);
        const size_t sy = size_t(int64_t(y) * picture.height / out.height);
        return picture.rgba.data() + (sy * size_t(picture.width) + sx) * 4;
    };
    out.keyed = texel(0, out.height - 1)[3] < 128;
    std::map<Colour, long> histogram;
    for (int32_t y = 0; y < out.height; ++y)
        for (int32_t x = 0; x < out.width; ++x) {
            const unsigned char* p = texel(x, y);
            if (out.keyed && p[3] < 128) continue;
            ++histogram[Colour{{p[0], p[1], p[2]}}];
        }
    colours = std::clamp(colours, 1, 255);
    if (out.keyed) {
        const unsigned char* key = texel(0, out.height - 1);
        out.palette.push_back({key[0], key[1], key[2]});
    }
    const size_t first = out.palette.size();
    if (int(histogram.size()) <= colours) {
        for (const auto& entry : histogram) out.palette.push_back({entry.first.c[0], entry.first.c[1], entry.first.c[2]});
    } else {
        for (const auto& c : reduceColours(histogram, colours)) out.palette.push_back(c);
    }
    if (out.palette.empty()) out.palette.push_back({0, 0, 0});
    std::map<Colour, uint8_t> index;
    out.pixels.resize(size_t(out.width) * size_t(out.height));
    for (int32_t y = 0; y < out.height; ++y)
        for (int32_t x = 0; x < out.width; ++x) {
            const unsigned char* p = texel(x, y);
            uint8_t& pixel = out.pixels[size_t(y) * size_t(out.width) + size_t(x)];
            if (out.keyed && p[3] < 128) {
                pixel = 0;
                continue;
            }
            const Colour c{{p[0], p[1], p[2]}};
            auto it = index.find(c);
            if (it == index.end()) it = index.emplace(c, nearest(out.palette, first, c)).first;
            pixel = it->second;
        }
    return out;
}

std::string encodeBmp8(const PatternPicture& pattern)
{
    const uint32_t stride = (uint32_t(pattern.width) + 3) / 4 * 4;
    const uint32_t paletteBytes = uint32_t(pattern.palette.size()) * 4;
    const uint32_t pixelOffset = 54 + paletteBytes;
    const uint32_t pixelBytes = stride * uint32_t(pattern.height);
    std::string out = "BM";
    put32(out, pixelOffset + pixelBytes);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, 40);
    put32(out, uint32_t(pattern.width));
    put32(out, uint32_t(pattern.height)); // positive: rows bottom-up
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // no compression
    put32(out, pixelBytes);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, uint32_t(pattern.palette.size()));
    put32(out, 0);
    for (const auto& c : pattern.palette) {
        out += char(c[2]);
        out += char(c[1]);
        out += char(c[0]);
        out += char(0);
    }
    for (int32_t row = pattern.height - 1; row >= 0; --row) {
        const uint8_t* p = pattern.pixels.data() + size_t(row) * size_t(pattern.width);
        out.append(reinterpret_cast<const char*>(p), size_t(pattern.width));
        out.append(stride - uint32_t(pattern.width), '\0');
    }
    return out;
}

} // namespace quillo
