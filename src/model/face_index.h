// A hash set over a part's faces that answers "does the part already hold
// the same face (equal after a cyclic rotation)?" in constant time.
#pragma once

#include <cstdint>
#include <vector>

#include "model.h"

namespace quillo {

class FaceIndex {
public:
    bool contains(const Records<Face>& faces, const Face& f) const;
    // Records face `index` of `faces` (ignored when index < 0).
    void add(const Records<Face>& faces, int index);

private:
    static uint64_t hashOf(const Face& f);
    void growIfNeeded(const Records<Face>& faces);
    std::vector<int32_t> slots_; // face indices, -1 for empty
    size_t used_ = 0;
};

} // namespace quillo
