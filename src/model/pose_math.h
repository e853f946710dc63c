// Rotation arithmetic shared by both renderers: 3 x 3 row-vector matrices in
// 32-bit reals and the read-back of angles after a turn about a node's own
// axes. Plain float code so that the model editor and the 3D engine turn a
// node to the same angles.
#pragma once

namespace quillo {

struct Matrix3 {
    float m[3][3];
};

Matrix3 operator*(const Matrix3& l, const Matrix3& r);

// Turns by t radians: X about the X axis (angle a), Y about Y (angle c),
// Z about Z (angle b).
Matrix3 turnX(float t);
Matrix3 turnY(float t);
Matrix3 turnZ(float t);

struct PoseAngles {
    float a = 0.0f, b = 0.0f, c = 0.0f;
};

// The angles of a node posed at `from` (rotation Z(b) X(a) Y(c)) after the
// changes `to - from` were applied about the node's current axes, X, Z,
// then Y; read back from the turned matrix. Near a quarter turn of X, b and
// c share one axis and b is read back as 0.
PoseAngles turnedAngles(const PoseAngles& from, const PoseAngles& to);

} // namespace quillo
