#include "pose_bytes.h"

#include <cmath>

#include "anim_model.h"
#include "model/angle_midpoint.h"
#include "record_bytes.h"

namespace quillo::anim {

namespace {

constexpr int kMaxPoseSize = 24;

PoseAngles anglesAt(const unsigned char* p)
{
    return {getFloat(p), getFloat(p + 4), getFloat(p + 8)};
}

} // namespace

void blendPose(int size, const unsigned char* a, const unsigned char* b, unsigned char* out)
{
    int offset = 0;
    if (size >= 24) {
        for (int k = 0; k < 3; ++k) putFloat(out + 4 * k, positionMidpoint(getFloat(a + 4 * k), getFloat(b + 4 * k)));
        offset = 12;
    }
    const PoseAngles r = angleMidpoint(anglesAt(a + offset), anglesAt(b + offset));
    putFloat(out + offset, r.a);
    putFloat(out + offset + 4, r.b);
    putFloat(out + offset + 8, r.c);
}

void loadFinitePose(PoseNode& node, const unsigned char* in)
{
    const int size = node.poseSize();
    if (size <= 0 || size > kMaxPoseSize) return;
    unsigned char pose[kMaxPoseSize];
    node.storePose(pose);
    for (int k = 0; k + 4 <= size; k += 4) {
        const float v = getFloat(in + k);
        if (std::isfinite(v)) putFloat(pose + k, v);
    }
    node.loadPose(pose);
}

} // namespace quillo::anim
