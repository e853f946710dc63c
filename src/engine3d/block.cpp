#include "block.h"

#include <cmath>
#include <cstring>

#include "engine_errors.h"
#include "model/angle_midpoint.h"
#include "model/pose_math.h"

namespace quillo::engine3d {

void putFloat(unsigned char* at, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

float getFloat(const unsigned char* at)
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= uint32_t(at[i]) << (8 * i);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

BLOCK::BLOCK(Device& device, int32_t order) : matrix(identityMatrix()), rotationOrder(order), device_(device)
{
    mkmatrix();
}

BLOCK::~BLOCK()
{
    if (matrixHandle != 0 && !device_.deleteMatrix(matrixHandle)) newError(16, "BLOCK::~BLOCK");
}

bool BLOCK::mkmatrix()
{
    if (matrixHandle == 0) matrixHandle = device_.createMatrix();
    if (matrixHandle == 0) {
        newError(17, "BLOCK::mkmatrix");
        return false;
    }
    if (!device_.setMatrix(matrixHandle, matrix)) {
        newError(18, "BLOCK::mkmatrix");
        return false;
    }
    return true;
}

void BLOCK::buildRotation()
{
    const float sa = sin0, ca = cos0, sb = sin1, cb = cos1, sc = sin2, cc = cos2;
    float r[3][3];
    if (rotationOrder == 0) {
        // Z(b) X(a) Y(c) written out.
        const float m[3][3] = {{cb * cc + sa * sb * sc, ca * sb, cb * sc - sa * sb * cc},
                               {-sb * cc + sa * cb * sc, ca * cb, -sb * sc - sa * cb * cc},
                               {-ca * sc, sa, ca * cc}};
        std::memcpy(r, m, sizeof r);
    } else {
        const Matrix3 y{{{cc, 0, sc}, {0, 1, 0}, {-sc, 0, cc}}};
        const Matrix3 x{{{1, 0, 0}, {0, ca, -sa}, {0, sa, ca}}};
        const Matrix3 z{{{cb, sb, 0}, {-sb, cb, 0}, {0, 0, 1}}};
        const Matrix3 m = y * x * z;
        std::memcpy(r, m.m, sizeof r);
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) matrix.m[i][j] = r[i][j];
        matrix.m[i][3] = 0.0f;
    }
    matrix.m[3][3] = 1.0f;
}

void BLOCK::rebuild()
{
    buildRotation();
    matrix.m[3][0] = position[0];
    matrix.m[3][1] = position[1];
    matrix.m[3][2] = position[2];
}

void BLOCK::place(float x, float y, float z, float a, float b, float c)
{
    position[0] = x, position[1] = y, position[2] = z;
    angles[0] = a, angles[1] = b, angles[2] = c;
    sin0 = std::sin(a), cos0 = std::cos(a);
    sin1 = std::sin(b), cos1 = std::cos(b);
    sin2 = std::sin(c), cos2 = std::cos(c);
    rebuild();
}

bool BLOCK::storePose(PoseWriter& out) const
{
    if (out.left() < 24) return false;
    const float v[6] = {position[0], position[1], position[2], angles[0], angles[1], angles[2]};
    for (int i = 0; i < 6; ++i) putFloat(out.at + 4 * i, v[i]);
    out.at += 24;
    return true;
}

bool BLOCK::loadPose(PoseReader& in)
{
    if (in.left() < 24) return false;
    float v[6];
    for (int i = 0; i < 6; ++i) v[i] = getFloat(in.at + 4 * i);
    in.at += 24;
    place(v[0], v[1], v[2], v[3], v[4], v[5]);
    return true;
}

void BLOCK::blendAngles(unsigned char* out, const unsigned char* a, const unsigned char* b)
{
    const PoseAngles mid = angleMidpoint({getFloat(a), getFloat(a + 4), getFloat(a + 8)},
                                         {getFloat(b), getFloat(b + 4), getFloat(b + 8)});
    putFloat(out, mid.a);
    putFloat(out + 4, mid.b);
    putFloat(out + 8, mid.c);
}

bool BLOCK::blendPose(PoseWriter& out, PoseReader& a, PoseReader& b)
{
    if (out.left() < 24 || a.left() < 24 || b.left() < 24) return false;
    for (int i = 0; i < 3; ++i) putFloat(out.at + 4 * i, positionMidpoint(getFloat(a.at + 4 * i), getFloat(b.at + 4 * i)));
    blendAngles(out.at + 12, a.at + 12, b.at + 12);
    out.at += 24;
    a.at += 24;
    b.at += 24;
    return true;
}

void BLOCK::turnPose(float x, float y, float z, float a, float b, float c)
{
    if (rotationOrder != 0) {
        place(x, y, z, a, b, c);
        return;
    }
    const PoseAngles turned = turnedAngles({angles[0], angles[1], angles[2]}, {a, b, c});
    place(x, y, z, turned.a, turned.b, turned.c);
}

CAM::CAM(Device& device, MatrixHandle viewHandle) : BLOCK(device, 1), view(viewHandle)
{
    Mat4 start = identityMatrix();
    device_.getMatrix(view, start);
    place(-start.m[3][0], -start.m[3][1], -start.m[3][2], 0.0f, 0.0f, 0.0f);
    setlight(-3.1415927f / 4.0f, 3.1415927f / 4.0f);
}

void CAM::rebuild()
{
    buildRotation();
    const float x = position[0], y = position[1], z = position[2];
    const auto& m = matrix.m;
    matrix.m[3][0] = -(x * m[0][0] + y * m[1][0] + z * m[2][0]);
    matrix.m[3][1] = -(x * m[0][1] + y * m[1][1] + z * m[2][1]);
    matrix.m[3][2] = -(x * m[0][2] + y * m[1][2] + z * m[2][2]);
    device_.setMatrix(view, matrix);
}

void CAM::setlight(float e, float a)
{
    if (!device_.setLight(nullptr)) {
        newError(1, "CAM::setlight");
        return;
    }
    const LightDesc light{{0.9f, 0.9f, 0.9f, 1.0f}, {std::cos(e) * std::sin(-a), std::sin(e), -std::cos(e) * std::cos(a)}};
    if (!device_.setLight(&light)) newError(2, "CAM::setlight");
}

} // namespace quillo::engine3d
