// Everything that moves in the engine is a BLOCK: a pose (position and the
// angles a about X, b about Z, c about Y, in radians), the local matrix
// built from it, and a device matrix handle that the vertex groups refer
// to. CAM is the camera; OBJCT, PART and JOINT (objct.h) are the models.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device.h"
#include "mat4.h"

namespace quillo::engine3d {

// Pose bytes: little-endian float32 values, read and written with a bound.
struct PoseWriter {
    unsigned char* at;
    const unsigned char* end;
    size_t left() const { return at <= end ? size_t(end - at) : 0; }
};
struct PoseReader {
    const unsigned char* at;
    const unsigned char* end;
    size_t left() const { return at <= end ? size_t(end - at) : 0; }
};

class BLOCK {
public:
    // Makes the matrix handle (`mkmatrix`). rotationOrder 0: R = Z(b) X(a)
    // Y(c); 1 (the camera): R = Y(c) X(a) Z(b).
    explicit BLOCK(Device& device, int32_t rotationOrder = 0);
    virtual ~BLOCK();
    BLOCK(const BLOCK&) = delete;
    BLOCK& operator=(const BLOCK&) = delete;

    // Rotation from the angles, then the translation row from the position.
    virtual void rebuild();
    // Stores the pose, its sines and cosines, and rebuilds.
    virtual void place(float x, float y, float z, float a, float b, float c);
    // Bytes of a stored pose: 24 (x, y, z, a, b, c) or 12 for a JOINT (a, b, c).
    virtual int32_t poseSize() const { return 24; }
    // Write, read (and place) or blend one pose; false without moving the
    // cursors when fewer than poseSize bytes are left.
    virtual bool storePose(PoseWriter& out) const;
    virtual bool loadPose(PoseReader& in);
    // The in-between of poses A and B written to `out`: positions halfway,
    // angles by angleMidpoint.
    virtual bool blendPose(PoseWriter& out, PoseReader& a, PoseReader& b);

    // Like place, but for rotationOrder 0 the angle changes are turns about
    // the node's own current axes (X, then Z, then Y), the angles read back
    // from the turned matrix.
    void turnPose(float x, float y, float z, float a, float b, float c);
    // Creates the handle (if missing) and loads the matrix into it.
    bool mkmatrix();
    Device& device() const { return device_; }

    Mat4 matrix;
    int32_t rotationOrder;
    float position[3] = {0, 0, 0};
    float angles[3] = {0, 0, 0};
    MatrixHandle matrixHandle = 0;
    float sin0 = 0, cos0 = 1, sin1 = 0, cos1 = 1, sin2 = 0, cos2 = 1;

protected:
    // angleMidpoint of the three angles at `a` and `b`, written at `out`.
    static void blendAngles(unsigned char* out, const unsigned char* a, const unsigned char* b);
    // The 3 x 3 rotation of the current sines and cosines in rotationOrder.
    void buildRotation();
    Device& device_;
};

// The camera: its matrix is the view (rotation, then -(p * R) as the
// translation row), loaded into the device's view matrix handle.
class CAM : public BLOCK {
public:
    // Placed at the negated translation of the view matrix's initial value
    // (so (0, 0, -175) for the engine's start view), angles 0, zoom 256,
    // then `setlight(-pi/4, pi/4)`.
    CAM(Device& device, MatrixHandle view);
    void rebuild() override;
    // The directional light: colour 0.9, direction
    // (cos e sin(-a), sin e, -cos e cos a).
    void setlight(float elevation, float azimuth);

    int32_t zoom = 256;
    MatrixHandle view;
};

// Pose values as little-endian float32 bytes.
void putFloat(unsigned char* at, float v);
float getFloat(const unsigned char* at);

} // namespace quillo::engine3d
