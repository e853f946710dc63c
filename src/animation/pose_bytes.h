// Operations on the stored pose of one node inside a frame record.
#pragma once

namespace quillo::anim {

class PoseNode;

// The pose halfway between the poses at a and b (size 24: position halved
// and angles by angleMidpoint; size 12: angles only), written to out.
void blendPose(int size, const unsigned char* a, const unsigned char* b, unsigned char* out);

// Loads a stored pose into the node. A value that is not a finite number (a
// damaged file) keeps the node's present value, so it never reaches the
// renderer as a coordinate; the record's bytes stay as they are.
void loadFinitePose(PoseNode& node, const unsigned char* in);

} // namespace quillo::anim
