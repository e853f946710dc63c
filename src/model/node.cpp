// Node transforms: the fixed-point local block of the view, objects and
// parts, built from the angles and the position.
#include <cmath>
#include <cstring>

#include "fixed_point.h"
#include "model.h"

namespace quillo {

float dt = defaultGridStep;

namespace {

// Applies one axis rotation to every row; i and j are the two columns that
// change (Z: 0,1; Y: 0,2; X: 2,1), s and c the sine and cosine x 2048.
void rotateColumns(int32_t m[3][3], int i, int j, int32_t s, int32_t c)
{
    for (int r = 0; r < 3; ++r) {
        int64_t mi = m[r][i], mj = m[r][j];
        m[r][i] = narrow((c * mi - s * mj) >> 11);
        m[r][j] = narrow((c * mj + s * mi) >> 11);
    }
}

void identity(TransformBlock& b)
{
    std::memset(&b, 0, sizeof b);
    b.m[0][0] = b.m[1][1] = b.m[2][2] = 2048;
}

// Component j of the row vector p times the rotation, before the shift.
int64_t rowTimes(const int32_t p[3], const int32_t m[3][3], int j)
{
    return int64_t(p[0]) * m[0][j] + int64_t(p[1]) * m[1][j] + int64_t(p[2]) * m[2][j];
}

} // namespace

ModelNode::ModelNode() { resetNode(); }

void ModelNode::resetNode()
{
    identity(local);
    rotationOrder = 0;
    for (int i = 0; i < 3; ++i) {
        position[i] = 0.0f;
        angles[i] = 0.0f;
        lightScratch[i] = 0;
    }
    for (int i = 0; i < 6; ++i) sinCos[i] = (i % 2) ? 2048 : 0;
}

void ModelNode::buildRotation()
{
    int32_t light[3] = {local.light[0], local.light[1], local.light[2]};
    identity(local);
    for (int i = 0; i < 3; ++i) local.light[i] = light[i];
    const int32_t sa = sinCos[0], ca = sinCos[1], sb = sinCos[2], cb = sinCos[3], sc = sinCos[4],
                  cc = sinCos[5];
    auto Z = [&] { rotateColumns(local.m, 0, 1, sb, cb); };
    auto Y = [&] { rotateColumns(local.m, 0, 2, sc, cc); };
    auto X = [&] { rotateColumns(local.m, 2, 1, sa, ca); };
    switch (rotationOrder) {
    case 1: Y(); X(); Z(); break;
    case 2: Y(); Z(); X(); break;
    default: Z(); X(); Y(); break;
    }
}

void ModelNode::gridPosition(int32_t p[3]) const
{
    const float inverse = 1.0f / dt;
    for (int i = 0; i < 3; ++i) p[i] = truncToInt(position[i] * inverse);
}

void ModelNode::rebuild()
{
    buildRotation();
    int32_t p[3];
    gridPosition(p);
    for (int i = 0; i < 3; ++i) local.t[i] = p[i];
}

void ModelNode::place(float x, float y, float z, float a, float b, float c)
{
    position[0] = x;
    position[1] = y;
    position[2] = z;
    angles[0] = a;
    angles[1] = b;
    angles[2] = c;
    for (int i = 0; i < 3; ++i) {
        sinCos[2 * i] = truncToInt(std::sin(double(angles[i])) * 2048.0);
        sinCos[2 * i + 1] = truncToInt(std::cos(double(angles[i])) * 2048.0);
    }
    rebuild();
}

void ModelPart::rebuild()
{
    if (!child) {
        ModelNode::rebuild();
        return;
    }
    // A child part turns about its pivot: v' = (v - p) R + p.
    buildRotation();
    int32_t p[3];
    gridPosition(p);
    for (int j = 0; j < 3; ++j) local.t[j] = narrow(int64_t(p[j]) - (rowTimes(p, local.m, j) >> 11));
}

void ModelDocument::rebuild()
{
    // The view: v' = (v - p) R.
    buildRotation();
    int32_t p[3];
    gridPosition(p);
    for (int j = 0; j < 3; ++j) local.t[j] = narrow((-rowTimes(p, local.m, j)) >> 11);
}

} // namespace quillo
