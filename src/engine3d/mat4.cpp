#include "mat4.h"

namespace quillo::engine3d {

Mat4 identityMatrix()
{
    Mat4 r{};
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

Mat4 operator*(const Mat4& l, const Mat4& r)
{
    Mat4 out{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += l.m[i][k] * r.m[k][j];
            out.m[i][j] = s;
        }
    return out;
}

Vec3f transformPoint(const Vec3f& p, const Mat4& m)
{
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

Vec3f transformNormal(const Vec3f& n, const Mat4& m)
{
    return {n.x * m.m[0][0] + n.y * m.m[1][0] + n.z * m.m[2][0],
            n.x * m.m[0][1] + n.y * m.m[1][1] + n.z * m.m[2][1],
            n.x * m.m[0][2] + n.y * m.m[1][2] + n.z * m.m[2][2]};
}

Mat4 chainRigid(const Mat4& l, const Mat4& r)
{
    Mat4 out{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out.m[i][j] = l.m[i][0] * r.m[0][j] + l.m[i][1] * r.m[1][j] + l.m[i][2] * r.m[2][j];
    const Vec3f t = transformPoint({l.m[3][0], l.m[3][1], l.m[3][2]}, r);
    out.m[3][0] = t.x;
    out.m[3][1] = t.y;
    out.m[3][2] = t.z;
    out.m[3][3] = 1.0f;
    return out;
}

} // namespace quillo::engine3d
