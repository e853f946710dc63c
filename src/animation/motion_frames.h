// The frame cursor of an object's current motion: record, apply, delete,
// step and in-between. Every operation refuses a motion whose record size
// is not the object's, so no read or write goes past a record.
#pragma once

namespace quillo::anim {

class AnimObject;

// Writes the object's patterns and part poses into `target` (the pose
// clipboard, at least motionRecordSize bytes), or with no target into frame
// motionFrameIndex (appended when the index is at the end).
bool recordMotionFrame(AnimObject& object, unsigned char* target = nullptr);

// Sets the object's patterns and part poses from `source`, or with no
// source from frame motionFrameIndex (nothing when it is past the end).
bool applyMotionFrame(AnimObject& object, const unsigned char* source = nullptr);

// Removes frame motionFrameIndex; the index stays.
void deleteMotionFrame(AnimObject& object);

// Moves the index by `delta` (-1 or +1) and applies that frame.
void stepMotion(AnimObject& object, int delta);

// Applies frame index + delta without moving the index, when it exists.
void previewMotion(AnimObject& object, int delta);

// Inserts after the current frame the pose halfway to the next one.
bool inbetweenMotion(AnimObject& object);

} // namespace quillo::anim
