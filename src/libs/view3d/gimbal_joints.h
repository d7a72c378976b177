#pragma once

#include "libs/view3d/rotation.h"

// Motor angles, in radians, of a gimbal built yaw-roll-pitch from its base
// outwards: the yaw motor turns the yaw arm about the vertical, the roll
// motor on that arm turns the roll arm about the forward axis, and the pitch
// motor on the roll arm turns the camera about its lateral axis.
struct GimbalJoints {
    double yaw = 0.0;
    double roll = 0.0;
    double pitch = 0.0;
};

// The motor angles that hold the camera at `camera`, so the drawn arms stay
// attached to the drawn camera at any attitude:
// camera = Rz(yaw) * Rx(roll) * Ry(pitch). The roll motor is kept within
// +-90 degrees, as a real gimbal's is.
GimbalJoints JointsForOrientation(const Mat3& camera);

// The orientations of the two arms for those motor angles.
Mat3 YawArmOrientation(const GimbalJoints& joints);
Mat3 RollArmOrientation(const GimbalJoints& joints);
