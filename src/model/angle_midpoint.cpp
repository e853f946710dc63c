#include "angle_midpoint.h"

#include <algorithm>
#include <cmath>

#include "messages.h"

namespace quillo {

// Every float expression below is assigned to a float before it is used, so
// each operation is rounded to float32; this file is built without
// floating-point contraction (no fused multiply-add).

PoseAngles angleMidpointFromSum(const PoseAngles& A, const PoseAngles& B, bool flipped, double X, double Y, double Z,
                                bool* failed)
{
    double L = std::sqrt(X * X + Y * Y + Z * Z);
    if (L == 0.0) {
        errorbox(formatMessage("補間に失敗しました"));
        if (failed) *failed = true;
        L = 1.0;
    }
    PoseAngles r;
    r.a = static_cast<float>(std::asin(std::clamp(Z / L, -1.0, 1.0)));

    const float sum = A.b + B.b;
    r.b = sum * 0.5f;
    const float twistGap = std::fabs(A.b - B.b);
    if (twistGap >= kPi) {
        r.b = r.b - kPi;
        if (r.b < -kPi) r.b = r.b + kTwoPi;
    }

    const double x = X / L, y = Y / L;
    const double tiny = 0.0001f;
    if (std::fabs(x) >= tiny || std::fabs(y) >= tiny)
        r.c = static_cast<float>(std::atan2(y, x));
    else
        r.c = 0.0f;

    if (flipped) {
        const float turnGap = std::fabs(A.c - r.c);
        if (turnGap > kHalfPi) r.b = r.b + kPi;
    }
    return r;
}

PoseAngles angleMidpoint(const PoseAngles& A, const PoseAngles& Bin, bool* failed)
{
    PoseAngles B = Bin;
    const float turnGap = std::fabs(A.c - B.c);
    const float twistGap = std::fabs(A.b - B.b);
    const bool flipped = turnGap > kHalfPi && twistGap > kHalfPi;
    if (flipped) {
        // The same orientation written the other way: twist by half a turn,
        // turn by half a turn, elevation mirrored about a quarter turn.
        B.b = B.b < 0.0f ? B.b + kPi : B.b - kPi; // -0.0 counts as not negative
        B.c = B.c + kPi;
        B.a = B.a > 0.0f ? kPi - B.a : -kPi - B.a;
    }
    const double aa = A.a, ac = A.c, ba = B.a, bc = B.c;
    const double X = std::cos(aa) * std::cos(ac) + std::cos(ba) * std::cos(bc);
    const double Y = std::cos(aa) * std::sin(ac) + std::cos(ba) * std::sin(bc);
    const double Z = std::sin(aa) + std::sin(ba);
    return angleMidpointFromSum(A, B, flipped, X, Y, Z, failed);
}

float positionMidpoint(float a, float b)
{
    const float sum = a + b;
    return sum * 0.5f;
}

} // namespace quillo
