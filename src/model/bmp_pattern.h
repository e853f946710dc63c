// The BMP pattern files of textures: which files are accepted, and how a
// pattern becomes texels that hold colour-table rows (index x 64).
//
// Accepted: "BM", a 40-byte header, 8 bits per pixel, uncompressed, a
// width that is a power of two, a height that is not negative (bottom-up
// rows). The bottom-left pixel's colour is a key: its palette entry is
// replaced by the texture's own colour. A file cut short is refused as not
// being a BMP file.
#pragma once

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

} // namespace quillo
