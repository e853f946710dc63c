// Little-endian int32 and float32 values inside frame records, read and
// written through memcpy so that records need no alignment.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace quillo::anim {

static_assert(std::endian::native == std::endian::little, "frame records are stored in the machine's byte order");

inline int32_t getInt(const unsigned char* p)
{
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void putInt(unsigned char* p, int32_t v) { std::memcpy(p, &v, 4); }
inline uint32_t getWord(const unsigned char* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void putWord(unsigned char* p, uint32_t v) { std::memcpy(p, &v, 4); }
inline float getFloat(const unsigned char* p)
{
    float v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void putFloat(unsigned char* p, float v) { std::memcpy(p, &v, 4); }

} // namespace quillo::anim
