#include "libs/view3d/gimbal_joints.h"

#include <algorithm>
#include <cmath>

// Rz(a) * Rx(b) * Ry(c) has the bottom row (-cos b sin c, sin b, cos b cos c)
// and the middle column (-sin a cos b, cos a cos b, sin b).
GimbalJoints JointsForOrientation(const Mat3& camera)
{
    const auto& m = camera.m;
    GimbalJoints joints;
    joints.roll = std::asin(std::clamp(m[2][1], -1.0, 1.0));
    joints.pitch = std::atan2(-m[2][0], m[2][2]);
    joints.yaw = std::atan2(-m[0][1], m[1][1]);
    return joints;
}

Mat3 YawArmOrientation(const GimbalJoints& joints)
{
    return RotationAboutZ(joints.yaw);
}

Mat3 RollArmOrientation(const GimbalJoints& joints)
{
    return RotationAboutZ(joints.yaw) * RotationAboutX(joints.roll);
}
