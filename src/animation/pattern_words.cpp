#include "pattern_words.h"

#include <cstring>

#include "anim_model.h"
#include "record_bytes.h"

namespace quillo::anim {

void storePatterns(const AnimObject& object, unsigned char* out)
{
    const int textures = object.textureCount();
    for (int word = 0; word < patternWordCount(textures); ++word) {
        uint32_t bits = 0;
        for (int field = 0; field < 5 && word * 5 + field < textures; ++field)
            bits |= (uint32_t(object.currentPattern(word * 5 + field)) & 63u) << (6 * field);
        putWord(out + 4 * word, bits);
    }
}

void loadPatterns(AnimObject& object, const unsigned char* in)
{
    const int textures = object.textureCount();
    for (int i = 0; i < textures; ++i) {
        const uint32_t word = getWord(in + 4 * (i / 5));
        object.selectPattern(i, int((word >> (6 * (i % 5))) & 63u));
    }
}

} // namespace quillo::anim
