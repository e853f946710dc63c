// 4 x 4 float32 matrices for row vectors (v' = v * M, translation in the
// fourth row), as the engine's scene objects and device use them.
#pragma once

namespace quillo::engine3d {

struct Mat4 {
    float m[4][4];
};

Mat4 identityMatrix();
// l then r: a row vector goes through l first.
Mat4 operator*(const Mat4& l, const Mat4& r);

struct Vec3f {
    float x, y, z;
};

// p * M with the translation row (w = 1).
Vec3f transformPoint(const Vec3f& p, const Mat4& m);
// n * the 3 x 3 part of M (no translation, not renormalised).
Vec3f transformNormal(const Vec3f& n, const Mat4& m);

// The product of two rigid transforms as the part tree chains them: the 3 x 3
// product, translation row = l's translation * r's 3 x 3 + r's translation,
// fourth column (0, 0, 0, 1).
Mat4 chainRigid(const Mat4& l, const Mat4& r);

} // namespace quillo::engine3d
