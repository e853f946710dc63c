// Pictures of imported textures: decoding PNG and JPEG bytes, and making
// an 8-bit BMP pattern file of a picture (a width that is a power of two,
// few colours, the key colour at the bottom-left pixel).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillo {

// RGBA bytes, the picture's top row first.
struct RgbaPicture {
    int32_t width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

// Pictures larger than this on a side, or in all, are not decoded.
constexpr int32_t maxPictureSide = 8192;
constexpr int64_t maxPicturePixels = int64_t(1) << 24;

// Decodes PNG or JPEG bytes. False with `why` set when they are not a
// picture of 8 bits per channel within the limits above.
bool decodePicture(const unsigned char* bytes, size_t size, RgbaPicture& out, std::string& why);

// A picture as a pattern file holds it: palette indices (top row first)
// and the palette. Index 0 is the key colour when `keyed`.
struct PatternPicture {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;
    std::vector<std::array<uint8_t, 3>> palette;
    bool keyed = false; // the bottom-left texel is transparent: every transparent texel is the key
};

// Colours a pattern may use besides the key: the renderer's table holds
// 64 colours for every model shown, shared with the colours of the faces.
constexpr int patternColours = 15;

// The picture resampled (nearest texel) to a power-of-two width of at most
// 1024 and a height of at most 1024, with its colours reduced to at most
// `colours` (median cut, kept exactly when there are no more).
// Transparent texels (alpha below 128) take the key when the bottom-left
// texel is transparent; otherwise every texel keeps its colour and the
// bottom-left texel's colour becomes the key (the caller gives the
// texture that colour, so the picture looks the same).
PatternPicture patternPicture(const RgbaPicture& picture, int colours = patternColours);

// The bytes of an uncompressed 8-bit BMP file of the pattern (bottom-up rows).
std::string encodeBmp8(const PatternPicture& pattern);

} // namespace quillo
