#pragma once

#include "libs/view3d/vec3.h"

#include <array>

// Roll, pitch and yaw in degrees, as the telemetry rows show them.
struct Attitude {
    double roll = 0.0;
    double pitch = 0.0;
    double yaw = 0.0;

    friend bool operator==(const Attitude&, const Attitude&) = default;
};

// A 3 x 3 rotation; m[row][column].
struct Mat3 {
    std::array<std::array<double, 3>, 3> m{};

    static Mat3 Identity();
    Vec3 operator*(Vec3 v) const;
    Mat3 operator*(const Mat3& other) const;
};

// Right-handed rotations about the model's axes (x forward, y right, z down).
Mat3 RotationAboutX(double radians);
Mat3 RotationAboutY(double radians);
Mat3 RotationAboutZ(double radians);

// The camera's orientation from its attitude, aerospace Z-Y-X order: yaw
// about the vertical first, then pitch about the turned lateral axis, then
// roll about the resulting optical axis, i.e. Rz(yaw) * Ry(pitch) * Rx(roll).
// With z pointing down this makes positive yaw turn the lens to the right
// (clockwise seen from above, like a compass heading), positive pitch raise
// the lens and positive roll lower the camera's right side.
Mat3 RotationFromAttitude(const Attitude& attitude);

// The same angle in [-180, 180); yaw arrives as 0..655.35 and 358.56 must
// draw like -1.44.
double WrapDegrees(double degrees);
double Radians(double degrees);
