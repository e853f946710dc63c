// A hash set over a part's faces that answers "does the part already hold
// the same face (equal after a cyclic rotation)?" in constant time.
#pragma once

#include <cstdint>
#include <vector>

#include "model.h"

namespace quillo {

class FaceIndex {
public:
    // Appends `f` to `faces` unless an equal face (by cyclic rotation) is
    // already there. Returns true when it was appended.
    bool appendUnlessPresent(Records<Face>& faces, const Face& f);

private:
    static uint32_t hashOf(const Face& f);
    void grow();
    struct Slot {
        int32_t face;  // index into the part's faces, -1 for empty
        uint32_t hash; // kept so that growing and most mismatches never touch the faces
    };
    std::vector<Slot> slots_;
    size_t used_ = 0;
};

} // namespace quillo
