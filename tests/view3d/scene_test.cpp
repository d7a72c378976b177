#include "libs/view3d/gimbal_model.h"
#include "libs/view3d/scene.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <tuple>

namespace {

constexpr Rect kViewport{0, 0, 380, 210};

SceneRequest Request(ModelVariant variant, Attitude attitude)
{
    return {.variant = variant, .attitude = attitude, .viewport = kViewport};
}

std::vector<DrawItem> Faces(const Scene& scene)
{
    std::vector<DrawItem> faces;
    std::ranges::copy_if(scene.solids, std::back_inserter(faces),
                         [](const DrawItem& item) { return item.line_width == 0; });
    return faces;
}

TEST(GimbalModel, FacesAreFlatWithUnitNormals)
{
    for (const ModelVariant variant : {ModelVariant::Gimbal, ModelVariant::CameraOnly}) {
        for (const Face& face : BuildGimbalModel(variant).faces) {
            ASSERT_GE(face.corners.size(), 3u);
            EXPECT_NEAR(Dot(face.normal, face.normal), 1.0, 1e-9);
            for (const Vec3& corner : face.corners) {
                EXPECT_NEAR(Dot(corner - face.corners[0], face.normal), 0.0, 1e-9);
            }
        }
    }
}

TEST(GimbalModel, VariantsChooseTheParts)
{
    const Mesh gimbal = BuildGimbalModel(ModelVariantFromInt(0));
    for (const Link link : {Link::Base, Link::YawArm, Link::RollArm, Link::Camera}) {
        EXPECT_TRUE(
            std::ranges::any_of(gimbal.faces, [link](const Face& face) { return face.link == link; }));
    }
    const Mesh camera = BuildGimbalModel(ModelVariantFromInt(1));
    EXPECT_TRUE(
        std::ranges::all_of(camera.faces, [](const Face& face) { return face.link == Link::Camera; }));
    EXPECT_EQ(ModelVariantFromInt(7), ModelVariant::Gimbal);
    EXPECT_EQ(ModelVariantFromInt(-1), ModelVariant::Gimbal);
}

TEST(Scene, BackFacesAreDroppedAndTheRestPaintFarToNear)
{
    Mesh box;
    box.AddBox(Link::Camera, {-0.3, -0.5, -0.3}, {0.3, 0.5, 0.3}, {100, 100, 100});
    // Seen from straight behind and above, a level box shows its back and
    // top; turned a little, one side as well.
    EXPECT_EQ(Faces(BuildScene(box, Request(ModelVariant::Gimbal, {}))).size(), 2u);
    EXPECT_EQ(Faces(BuildScene(box, Request(ModelVariant::Gimbal, {.yaw = 30}))).size(), 3u);

    const Scene scene = BuildScene(BuildGimbalModel(ModelVariant::Gimbal), Request(ModelVariant::Gimbal, {}));
    EXPECT_TRUE(std::ranges::is_sorted(scene.solids, std::ranges::greater{}, &DrawItem::depth));
}

// The visible sides of a cylinder paint as one polygon, without the inner
// edges that would show as seams: its outline runs along one end's ring and
// back along the other's, and its gradient passes the shade of every edge
// in order, whether the cylinder lies across the view or points at the eye.
TEST(Scene, ACylindersVisibleSidesPaintAsOneBand)
{
    for (const Vec3 axis : {Vec3{0, 1, 0}, Vec3{1, 0, 0}}) {
        Mesh cylinder;
        cylinder.AddCylinder(Link::Camera, axis * -0.3, axis * 0.3, 0.25, {100, 100, 100}, {100, 100, 100});
        const std::vector<DrawItem> faces = Faces(BuildScene(cylinder, Request(ModelVariant::Gimbal, {})));
        const auto shaded = [](const DrawItem& face) {
            return !face.between.empty() || face.colour != face.colour_to;
        };
        ASSERT_EQ(std::ranges::count_if(faces, shaded), 1);
        const DrawItem& band = *std::ranges::find_if(faces, shaded);
        ASSERT_FALSE(band.between.empty());
        EXPECT_EQ(band.points.size(), 2 * (band.between.size() + 2));
        EXPECT_GT(band.between.front().at, 0.0);
        EXPECT_LT(band.between.back().at, 1.0);
        EXPECT_TRUE(std::ranges::is_sorted(band.between, std::ranges::less_equal{}, &ColourStop::at));
    }
}

TEST(Scene, TheTopOfTheBoxIsLitMoreThanItsSide)
{
    Mesh box;
    box.AddBox(Link::Camera, {-0.3, -0.5, -0.3}, {0.3, 0.5, 0.3}, {100, 100, 100});
    std::vector<DrawItem> faces = Faces(BuildScene(box, Request(ModelVariant::Gimbal, {.yaw = 30})));
    // The top is the face highest on the screen.
    std::ranges::sort(faces, {},
                      [](const DrawItem& face) { return std::ranges::min(face.points, {}, &Point2::y).y; });
    EXPECT_GT(faces[0].colour.r, faces[1].colour.r);
    EXPECT_GT(faces[0].colour.r, faces[2].colour.r);
}

// The symmetric model turned 90 degrees to either side must draw as exact
// mirror images, colours and painting order included (a mirrored gradient
// runs the other way, so its two colours count as a pair).
TEST(Scene, OppositeYawsMirrorEachOther)
{
    const Mesh camera = BuildGimbalModel(ModelVariant::CameraOnly);
    const auto mirrored = [&](double yaw, double flip) {
        std::vector<std::tuple<long, long, long, int, int>> keys;
        for (const DrawItem& item :
             BuildScene(camera, Request(ModelVariant::CameraOnly, {.yaw = yaw})).solids) {
            double x = 0;
            double y = 0;
            for (const Point2& point : item.points) {
                x += point.x;
                y += point.y;
            }
            const double n = static_cast<double>(item.points.size());
            const double mirrored_x = kViewport.width / 2 + flip * (x / n - kViewport.width / 2);
            keys.emplace_back(std::lround(item.depth * 1e6), std::lround(mirrored_x * 1e3),
                              std::lround(y / n * 1e3), std::min(item.colour.r, item.colour_to.r),
                              std::max(item.colour.r, item.colour_to.r));
        }
        std::ranges::sort(keys);
        return keys;
    };
    EXPECT_EQ(mirrored(90, 1.0), mirrored(-90, -1.0));
    EXPECT_NE(mirrored(90, 1.0), mirrored(-90, 1.0));
}

TEST(Scene, LensRayAndHeadingNeedleFollowTheCamera)
{
    const auto ray_end = [](Attitude attitude) {
        const Scene scene = BuildScene(Mesh{}, Request(ModelVariant::Gimbal, attitude));
        // With no model the solids are the ray's pieces, fading outwards.
        const auto last_piece = std::ranges::min_element(scene.solids, {}, &DrawItem::opacity);
        return last_piece->points[1];
    };
    const Point2 ahead = ray_end({});
    EXPECT_NEAR(ahead.x, kViewport.width / 2, 1e-6);
    EXPECT_GT(ray_end({.yaw = 90}).x, ahead.x + 50);
    EXPECT_LT(ray_end({.yaw = -90}).x, ahead.x - 50);
    EXPECT_LT(ray_end({.pitch = 45}).y, ahead.y - 20);
    EXPECT_GT(ray_end({.pitch = -45}).y, ahead.y + 20);
    EXPECT_NEAR(ray_end({.roll = 40}).x, ahead.x, 1e-6) << "roll turns about the ray";
}

TEST(Scene, SceneStaysFiniteForExtremeAngles)
{
    const Mesh gimbal = BuildGimbalModel(ModelVariant::Gimbal);
    for (const Attitude attitude :
         {Attitude{90, 90, 655.35}, Attitude{-180, -90, 0}, Attitude{1e9, -1e9, 1e12}}) {
        const Scene scene = BuildScene(gimbal, Request(ModelVariant::Gimbal, attitude));
        for (const auto* items : {&scene.ground, &scene.heading, &scene.solids}) {
            for (const DrawItem& item : *items) {
                for (const Point2& point : item.points) {
                    ASSERT_TRUE(std::isfinite(point.x) && std::isfinite(point.y));
                }
            }
        }
    }
}

} // namespace
