// Renders the view at a few attitudes into PNG files under
// <build>/tests/screenshots/ for a person to look at.
#include "view_probe.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

struct Pose {
    const char* name;
    Attitude attitude;
};

constexpr Pose kPoses[] = {
    {"level", {}},
    {"roll_30", {.roll = 30}},
    {"pitch_minus_45", {.pitch = -45}},
    {"yaw_120", {.yaw = 120}},
    {"combined", {.roll = -15, .pitch = 20, .yaw = 300}},
    {"yaw_90", {.yaw = 90}},
    {"yaw_minus_90", {.yaw = -90}},
    {"facing_viewer", {.roll = 20, .pitch = 10, .yaw = 180}},
};

QString Folder()
{
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    EXPECT_TRUE(QDir().mkpath(folder));
    return folder;
}

TEST(View3dScreenshots, AttitudesInTheWindowsHost)
{
    HostedView hosted;
    for (const Pose& pose : kPoses) {
        hosted.view.Update(pose.attitude.roll, pose.attitude.pitch, pose.attitude.yaw);
        Settle();
        EXPECT_TRUE(hosted.host->grab().save(Folder() + "/view3d_" + pose.name + ".png")) << pose.name;
    }
}

TEST(View3dScreenshots, CameraOnlyAndHighPixelRatio)
{
    const Attitude attitude = kPoses[4].attitude;
    EXPECT_TRUE(
        PaintedPicture(ModelVariant::CameraOnly, attitude, 1.0).save(Folder() + "/view3d_camera_only.png"));
    EXPECT_TRUE(
        PaintedPicture(ModelVariant::Gimbal, attitude, 2.0).save(Folder() + "/view3d_combined_ratio2.png"));
}

} // namespace
