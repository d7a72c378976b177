#include "libs/view3d/view_layout.h"
#include "view_probe.h"

#include <gtest/gtest.h>

namespace {

class View3dPicture : public testing::Test {
protected:
    ViewLayout Layout() const
    {
        const AttitudeViewWidget* widget = m_hosted.Widget();
        return LayoutView(widget->width(), widget->height());
    }

    Rect Whole() const
    {
        return {0, 0, double(m_hosted.Widget()->width()), double(m_hosted.Widget()->height())};
    }

    HostedView m_hosted;
};

TEST_F(View3dPicture, EachAngleChangesThePicture)
{
    const QImage level = m_hosted.Shot({});
    for (const Attitude& turned : {Attitude{.roll = 20}, Attitude{.pitch = 20}, Attitude{.yaw = 20}}) {
        const QImage image = m_hosted.Shot(turned);
        EXPECT_GT(CountDifferentPixels(level, image, Layout().model), 300);
        const Gauge changed = turned.roll != 0 ? Gauge::Roll : turned.pitch != 0 ? Gauge::Pitch : Gauge::Yaw;
        for (const Gauge gauge : kGauges) {
            const int changes = CountDifferentPixels(level, image, Layout().gauges[static_cast<int>(gauge)]);
            EXPECT_EQ(changes > 30, gauge == changed) << "each dial shows its own angle only";
        }
    }
}

TEST_F(View3dPicture, WireYawAndItsNegativeTwinDrawTheSame)
{
    EXPECT_EQ(CountDifferentPixels(m_hosted.Shot({.roll = 5, .yaw = 358.56}),
                                   m_hosted.Shot({.roll = 5, .yaw = -1.44}), Whole()),
              0);
}

TEST_F(View3dPicture, OppositeYawsMirrorEachOther)
{
    const Rect model = Layout().model;
    const QImage right = m_hosted.Shot({.yaw = 90});
    const QImage left = m_hosted.Shot({.yaw = -90});
    const double area = model.width * model.height;
    // Only the pitch motor and the bearing opposite it break the symmetry.
    EXPECT_LT(CountDifferentPixels(MirroredWithin(right, model), left, model) / area, 0.01);
    EXPECT_GT(CountDifferentPixels(right, left, model) / area, 0.04);
}

TEST_F(View3dPicture, RollDipsTheCamerasRightSideInTheDialAndTheModel)
{
    const Rect dial = Layout().gauges[static_cast<int>(Gauge::Roll)];
    const Rect model = Layout().model;
    // The camera's part of the model: above the yaw motor.
    const Rect camera{model.x + model.width * 0.25, 0, model.width * 0.5, model.height * 0.55};
    const QImage level = m_hosted.Shot({});
    const QImage right_down = m_hosted.Shot({.roll = 30});
    const QImage left_down = m_hosted.Shot({.roll = -30});
    EXPECT_NEAR(DarkTilt(level, dial), 0.0, 0.5);
    EXPECT_GT(DarkTilt(right_down, dial), 3.0);
    EXPECT_LT(DarkTilt(left_down, dial), -3.0);
    EXPECT_GT(DarkTilt(right_down, camera), DarkTilt(level, camera) + 3.0);
    EXPECT_LT(DarkTilt(left_down, camera), DarkTilt(level, camera) - 3.0);
}

// At twice the pixel ratio the view draws the same picture with twice the
// pixels: scaled back down it matches the plain rendering closely.
TEST(View3dPictureRatio, HighPixelRatioDrawsTheSamePictureSharper)
{
    const Attitude attitude{.roll = -15, .pitch = 20, .yaw = 300};
    const QImage plain = PaintedPicture(ModelVariant::Gimbal, attitude, 1.0);
    const QImage sharp = PaintedPicture(ModelVariant::Gimbal, attitude, 2.0);
    ASSERT_EQ(sharp.size(), QSize(910, 420));
    EXPECT_NE(sharp.pixel(909, 419), QColor(Qt::black).rgb()) << "the whole device area is painted";
    const QImage reduced = sharp.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(CountDifferentPixels(plain, reduced, {0, 0, 455, 210}), 455 * 210 / 50);
}

} // namespace
