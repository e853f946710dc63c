// Pattern-selection words: the pattern each texture of an object shows,
// five 6-bit indices per little-endian 32-bit word (texture 5k in bits 0-5,
// ... 5k+4 in bits 24-29, bits 30-31 zero).
#pragma once

#include <cstdint>

namespace quillo::anim {

class AnimObject;

// ceil(textures / 5).
inline int patternWordCount(int textures) { return textures > 0 ? (textures + 4) / 5 : 0; }

// Writes the object's patterns as 4 * patternWordCount bytes; each index is
// masked to 6 bits so it can never spill into the next field.
void storePatterns(const AnimObject& object, unsigned char* out);
// Selects the patterns stored at `in` on the object's textures.
void loadPatterns(AnimObject& object, const unsigned char* in);

} // namespace quillo::anim
