#include "pose_math.h"

#include <algorithm>
#include <cmath>

namespace quillo {

Matrix3 operator*(const Matrix3& l, const Matrix3& r)
{
    Matrix3 out;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out.m[i][j] = l.m[i][0] * r.m[0][j] + l.m[i][1] * r.m[1][j] + l.m[i][2] * r.m[2][j];
    return out;
}

Matrix3 turnX(float t)
{
    const float s = std::sin(t), c = std::cos(t);
    return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}

Matrix3 turnY(float t)
{
    const float s = std::sin(t), c = std::cos(t);
    return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}

Matrix3 turnZ(float t)
{
    const float s = std::sin(t), c = std::cos(t);
    return {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

PoseAngles turnedAngles(const PoseAngles& from, const PoseAngles& to)
{
    Matrix3 r = turnZ(from.b) * turnX(from.a) * turnY(from.c);
    if (to.a - from.a != 0.0f) r = turnX(to.a - from.a) * r;
    if (to.b - from.b != 0.0f) r = turnZ(to.b - from.b) * r;
    if (to.c - from.c != 0.0f) r = turnY(to.c - from.c) * r;

    const float m32 = r.m[2][1];
    PoseAngles out;
    out.a = std::asin(std::clamp(m32, -1.0f, 1.0f));
    if (m32 >= -0.9999f && m32 <= 0.9999f) {
        out.b = std::atan2(r.m[0][1], r.m[1][1]);
        out.c = std::atan2(-r.m[2][0], r.m[2][2]);
    } else if (m32 > 0.9999f) { // X turned a quarter up: b and c share one axis
        out.b = 0.0f;
        out.c = std::atan2(r.m[1][0], -r.m[1][2]);
    } else {
        out.b = 0.0f;
        out.c = std::atan2(-r.m[1][0], r.m[1][2]);
    }
    return out;
}

} // namespace quillo
