#include "libs/view3d/gauge_pointer.h"
#include "libs/view3d/view_camera.h"
#include "libs/view3d/view_layout.h"

#include <gtest/gtest.h>

namespace {

constexpr Rect kViewport{0, 0, 400, 200};

TEST(ViewCamera, SeesTheModelFromBehindAndAbove)
{
    const ViewCamera camera(kViewport, {}, 2.0, 1.0);
    const Point2 centre = camera.Project({});
    EXPECT_NEAR(centre.x, 200.0, 1e-9);
    EXPECT_NEAR(centre.y, 100.0, 1e-9);
    EXPECT_GT(camera.Project({0, 0.5, 0}).x, centre.x) << "the camera's right is the viewer's right";
    EXPECT_LT(camera.Project({0, 0, -0.5}).y, centre.y) << "up is up";
    EXPECT_LT(camera.Project({1, 0, 0}).y, centre.y) << "ahead of the camera lies deeper in the picture";
    EXPECT_LT(camera.Depth({-1, 0, 0}), camera.Depth({1, 0, 0}));
    EXPECT_TRUE(camera.Sees({-0.3, 0, 0}, {-1, 0, 0}));
    EXPECT_FALSE(camera.Sees({0.3, 0, 0}, {1, 0, 0}));
    EXPECT_TRUE(camera.Sees({0, 0, -0.3}, {0, 0, -1}));
}

TEST(ViewCamera, FartherThingsDrawSmallerAndZoomScales)
{
    const ViewCamera camera(kViewport, {}, 2.0, 1.0);
    const double near_width = camera.Project({-1, 0.5, 0}).x - camera.Project({-1, -0.5, 0}).x;
    const double far_width = camera.Project({1, 0.5, 0}).x - camera.Project({1, -0.5, 0}).x;
    EXPECT_GT(near_width, far_width);
    const ViewCamera zoomed(kViewport, {}, 2.0, 2.0);
    EXPECT_NEAR(zoomed.Project({0, 0.5, 0}).x - 200.0, 2.0 * (camera.Project({0, 0.5, 0}).x - 200.0), 1e-9);
}

TEST(GaugePointer, PointersFollowTheAnglesTheStatedWay)
{
    EXPECT_GT(GaugePointer(Gauge::Roll, {.roll = 30}).y, 0.4) << "right side dips";
    EXPECT_LT(GaugePointer(Gauge::Roll, {.roll = -30}).y, -0.4);
    EXPECT_LT(GaugePointer(Gauge::Pitch, {.pitch = 30}).y, -0.4) << "lens rises";
    EXPECT_NEAR(GaugePointer(Gauge::Yaw, {.yaw = 90}).x, 1.0, 1e-9) << "heading clockwise from up";
    EXPECT_NEAR(GaugePointer(Gauge::Yaw, {}).y, -1.0, 1e-9);
    EXPECT_NEAR(GaugePointer(Gauge::Yaw, {.yaw = 358.56}).x, GaugePointer(Gauge::Yaw, {.yaw = -1.44}).x,
                1e-9);
    EXPECT_NEAR(GaugePointer(Gauge::Roll, {.pitch = 50, .yaw = 70}).y, 0.0, 1e-9) << "each gauge one angle";
}

TEST(ViewLayout, GaugesStackBesideTheModelInsideTheView)
{
    for (const auto& [width, height] :
         {std::pair{455.0, 210.0}, std::pair{910.0, 420.0}, std::pair{120.0, 40.0}}) {
        const ViewLayout layout = LayoutView(width, height);
        for (const Rect& dial : layout.gauges) {
            EXPECT_GE(dial.x, layout.model.x + layout.model.width);
            EXPECT_LE(dial.x + dial.width, width);
            EXPECT_GE(dial.y, 0.0);
            EXPECT_LE(dial.y + dial.height, height);
            EXPECT_DOUBLE_EQ(dial.width, dial.height);
        }
        EXPECT_LE(layout.gauges[0].y + layout.gauges[0].height, layout.gauges[1].y);
        EXPECT_LE(layout.gauges[1].y + layout.gauges[1].height, layout.gauges[2].y);
    }
    EXPECT_GT(LayoutView(455, 210).model.width, 300.0);
}

} // namespace
