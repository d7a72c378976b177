#include "libs/view3d/gimbal_joints.h"
#include "libs/view3d/rotation.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Vec3 kForward{1, 0, 0};
constexpr Vec3 kRight{0, 1, 0};
constexpr Vec3 kDown{0, 0, 1};

void ExpectNear(Vec3 actual, Vec3 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

void ExpectNear(const Mat3& actual, const Mat3& expected)
{
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_NEAR(actual.m[row][column], expected.m[row][column], 1e-9) << row << "," << column;
        }
    }
}

TEST(Rotation, EachAngleTurnsTheCameraTheStatedWay)
{
    // Positive yaw turns the lens right, positive pitch raises it, positive
    // roll lowers the right side.
    ExpectNear(RotationFromAttitude({.yaw = 90}) * kForward, kRight);
    ExpectNear(RotationFromAttitude({.pitch = 90}) * kForward, kDown * -1.0);
    ExpectNear(RotationFromAttitude({.roll = 90}) * kRight, kDown);
    ExpectNear(RotationFromAttitude({.roll = 37, .pitch = -12, .yaw = 200}) * Vec3{}, Vec3{});
}

TEST(Rotation, YawComesFirstThenPitchThenRoll)
{
    const double half = std::sqrt(0.5);
    // Pitch is about the turned lateral axis: the lens looks right and up.
    ExpectNear(RotationFromAttitude({.pitch = 45, .yaw = 90}) * kForward, {0, half, -half});
    // Roll is about the final optical axis: the lens stays where pitch and
    // yaw put it while the right side turns about it.
    const Mat3 rolled = RotationFromAttitude({.roll = 90, .pitch = 45, .yaw = 90});
    ExpectNear(rolled * kForward, {0, half, -half});
    ExpectNear(rolled * kRight, {0, half, half});
    // The other order would give another picture.
    const Mat3 pitch_first = RotationAboutY(Radians(45)) * RotationAboutZ(Radians(90));
    EXPECT_GT(std::abs((pitch_first * kForward).z + half), 0.5);
}

TEST(Rotation, YawFromTheWireDrawsLikeItsNegativeTwin)
{
    ExpectNear(RotationFromAttitude({.roll = -10, .yaw = 358.56}),
               RotationFromAttitude({.roll = -10, .yaw = -1.44}));
    EXPECT_NEAR(WrapDegrees(358.56), -1.44, 1e-9);
    EXPECT_NEAR(WrapDegrees(655.35), -64.65, 1e-9);
    EXPECT_DOUBLE_EQ(WrapDegrees(180.0), -180.0);
    EXPECT_DOUBLE_EQ(WrapDegrees(-180.0), -180.0);
    EXPECT_NEAR(WrapDegrees(-540.5), 179.5, 1e-9);
}

// The arms must stay attached to the camera: the three motor angles
// rebuild the camera's orientation exactly.
TEST(GimbalJoints, MotorAnglesReproduceTheCameraOrientation)
{
    const Attitude attitudes[] = {{0, 0, 0},      {30, 0, 0},        {0, -45, 0},    {0, 0, 120},
                                  {-20, 35, 250}, {15, -80, 358.56}, {60, 60, -170}, {-85, 10, 10}};
    for (const Attitude& attitude : attitudes) {
        SCOPED_TRACE(testing::Message() << attitude.roll << " " << attitude.pitch << " " << attitude.yaw);
        const Mat3 camera = RotationFromAttitude(attitude);
        const GimbalJoints joints = JointsForOrientation(camera);
        ExpectNear(RollArmOrientation(joints) * RotationAboutY(joints.pitch), camera);
        EXPECT_LE(std::abs(joints.roll), std::acos(0.0) + 1e-12);
    }
}

TEST(GimbalJoints, SingleAxisAttitudesMoveOneMotor)
{
    const GimbalJoints yawed = JointsForOrientation(RotationFromAttitude({.yaw = 120}));
    EXPECT_NEAR(yawed.yaw, Radians(120), 1e-9);
    EXPECT_NEAR(yawed.roll, 0.0, 1e-9);
    EXPECT_NEAR(yawed.pitch, 0.0, 1e-9);
    const GimbalJoints pitched = JointsForOrientation(RotationFromAttitude({.pitch = -45}));
    EXPECT_NEAR(pitched.pitch, Radians(-45), 1e-9);
    EXPECT_NEAR(pitched.yaw, 0.0, 1e-9);
}

} // namespace
