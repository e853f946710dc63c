// The frames of a motion or a scene: fixed-size records in a RecordArray.
// A scene that has no model has no record size; its frames are then counted
// but hold no bytes, so such a file still reads and writes back unchanged.
#pragma once

#include <memory>

#include "model/record_array.h"

namespace quillo::anim {

class FrameList {
public:
    explicit FrameList(int recordSize = 0);
    int recordSize() const { return recordSize_; }
    int count() const;
    // Record i, or null for a bad index or a list without record size.
    unsigned char* at(int i) const;
    // Appends a copy of `record` (null: a zeroed record). False when memory
    // ran out.
    bool append(const unsigned char* record);
    // Appends `n` records stored back to back at `records`.
    bool appendAll(const unsigned char* records, int n);
    // Inserts a copy of `record` (not null) before index i (i == count
    // appends).
    bool insertAt(int i, const unsigned char* record);
    void removeAt(int i);
    // Empties the list, giving it a new record size.
    void reset(int recordSize);

private:
    int recordSize_;
    int emptyCount_ = 0; // frames of a list without record size
    std::unique_ptr<RecordArray> records_;
};

} // namespace quillo::anim
