// Motions: recorded poses of one object, frame by frame, kept apart from
// scenes and stored alone in MD6 files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame_list.h"

namespace quillo::anim {

class AnimObject;

struct Motion {
    std::string path = "new.md6";
    std::string name; // one token, at most 79 bytes
    FrameList frames;
};

// 4 * ceil(T / 5) + the pose sizes of the object's parts.
int motionRecordSize(AnimObject& object);

// True when the motion's records fit the object; otherwise shows that the
// motion cannot be used for it.
bool motionFits(const Motion& motion, AnimObject& object);

// The editor's motions, owned here.
class MotionList {
public:
    int count() const { return int(motions_.size()); }
    Motion& operator[](int i) const { return *motions_[size_t(i)]; }
    Motion& add(std::unique_ptr<Motion> motion);
    void clear() { motions_.clear(); }

private:
    std::vector<std::unique_ptr<Motion>> motions_;
};

// Creates a motion with the given name for the object, with its record
// size and no frames, adds it to the list and makes it the object's current
// motion. Null, with a message, when the name would not read back.
Motion* createMotion(MotionList& list, AnimObject& object, const std::string& name);

} // namespace quillo::anim
