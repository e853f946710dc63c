#include "face_index.h"

#include <algorithm>

namespace quillo {

uint32_t FaceIndex::hashOf(const Face& f)
{
    // Hash the rotation with the smallest index tuple, so that every
    // rotation of a face hashes alike.
    int first = 0;
    for (int shift = 1; shift < 4; ++shift) {
        for (int k = 0; k < 4; ++k) {
            int32_t a = f.index((k + shift) % 4), b = f.index((k + first) % 4);
            if (a != b) {
                if (a < b) first = shift;
                break;
            }
        }
    }
    uint64_t h = 1469598103934665603ull;
    for (int k = 0; k < 4; ++k) {
        h ^= uint32_t(f.index((k + first) % 4));
        h *= 1099511628211ull;
    }
    return uint32_t(h ^ (h >> 32));
}

void FaceIndex::grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<size_t>(16, old.size() * 2), Slot{-1, 0});
    const size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.face < 0) continue;
        size_t i = s.hash & mask;
        while (slots_[i].face >= 0) i = (i + 1) & mask;
        slots_[i] = s;
    }
}

bool FaceIndex::appendUnlessPresent(Records<Face>& faces, const Face& f)
{
    if ((used_ + 1) * 2 > slots_.size()) grow();
    const uint32_t h = hashOf(f);
    const size_t mask = slots_.size() - 1;
    size_t i = h & mask;
    for (; slots_[i].face >= 0; i = (i + 1) & mask)
        if (slots_[i].hash == h && sameFace(faces[slots_[i].face], f)) return false;
    const int index = faces.append(f);
    if (index < 0) return false;
    slots_[i] = Slot{index, h};
    ++used_;
    return true;
}

} // namespace quillo
