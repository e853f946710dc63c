// The halfway pose between two key frames, shared by the 3D engine's
// blendPose and the animation code's in-betweening. The arithmetic is fixed
// to the last bit (which steps are float32, which are double) so that an
// in-between made on any machine gives the same bytes in the saved file.
#pragma once

#include "pose_math.h"

namespace quillo {

inline constexpr float kPi = 3.1415927f;
inline constexpr float kHalfPi = 1.5707964f;
inline constexpr float kTwoPi = 6.2831855f;

// The angles halfway between A and B. a and c are read as the elevation and
// azimuth of a direction and b as the twist about it; the result is the
// direction halfway along the shorter arc, so a pose never swings the long
// way round. When the two directions are exactly opposite there is no
// halfway direction: the message "補間に失敗しました" is shown, *failed (when
// given) is set, and a result is still returned.
PoseAngles angleMidpoint(const PoseAngles& A, const PoseAngles& B, bool* failed = nullptr);

// Steps after the flip test and the direction sum (X, Y, Z), with B as the
// flip left it. angleMidpoint calls it; tests call it directly to reach the
// opposite-directions case, which float angles can hardly produce exactly.
PoseAngles angleMidpointFromSum(const PoseAngles& A, const PoseAngles& B, bool flipped, double X, double Y, double Z,
                                bool* failed = nullptr);

// A position halfway between a and b, rounded as a float32 sum then halved.
float positionMidpoint(float a, float b);

} // namespace quillo
