// The BMP pattern files of textures: which files are accepted, and how a
// pattern becomes texels that hold colour-table rows (index x 64).
//
// Accepted: "BM", a 40-byte header, 8 bits per pixel, uncompressed, a
// width that is a power of two, a height that is not negative (bottom-up
// rows). The bottom-left pixel's colour is a key: its palette entry is
// replaced by the texture's own colour. A file cut short is refused as not
// being a BMP file.
#pragma once

#include <vector>

#include "model.h"

namespace quillo {

class GMTBL;

// Checks one pattern file, fixes the texture's size from the first file
// (while its width is 0) and registers the file's colours in `table`.
// Returns 1 if acceptable, else 0 after showing a message.
int checkPattern(Texture& texture, const char* path, GMTBL& table);

// Loads the images of patterns 0..patternCount-1. Returns 1 on success,
// 0 when a file failed (later patterns are not loaded).
int loadPatterns(Texture& texture, GMTBL& table);

// The colours of pattern `pattern` of `texture` as RGBA bytes, in the row
// order of the loaded image (the picture's top row first). Texels of the
// key colour take the texture's own colour with alpha 0; all others are
// opaque. Returns 1, or 0 after showing a message when the file is not an
// acceptable pattern.
int patternRgba(const Texture& texture, int pattern, std::vector<unsigned char>& rgba, int32_t& width,
                int32_t& height);

} // namespace quillo
