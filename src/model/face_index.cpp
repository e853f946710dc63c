#include "face_index.h"

#include <algorithm>

namespace quillo {

uint64_t FaceIndex::hashOf(const Face& f)
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
    return h ^ (h >> 29);
}

bool FaceIndex::contains(const Records<Face>& faces, const Face& f) const
{
    if (slots_.empty()) return false;
    const size_t mask = slots_.size() - 1;
    for (size_t i = hashOf(f) & mask;; i = (i + 1) & mask) {
        int32_t s = slots_[i];
        if (s < 0) return false;
        if (sameFace(faces[s], f)) return true;
    }
}

void FaceIndex::growIfNeeded(const Records<Face>& faces)
{
    if ((used_ + 1) * 2 <= slots_.size()) return;
    std::vector<int32_t> old = std::move(slots_);
    slots_.assign(std::max<size_t>(16, old.size() * 2), -1);
    const size_t mask = slots_.size() - 1;
    for (int32_t s : old) {
        if (s < 0) continue;
        size_t i = hashOf(faces[s]) & mask;
        while (slots_[i] >= 0) i = (i + 1) & mask;
        slots_[i] = s;
    }
}

void FaceIndex::add(const Records<Face>& faces, int index)
{
    if (index < 0) return;
    growIfNeeded(faces);
    const size_t mask = slots_.size() - 1;
    size_t i = hashOf(faces[index]) & mask;
    while (slots_[i] >= 0) i = (i + 1) & mask;
    slots_[i] = index;
    ++used_;
}

} // namespace quillo
