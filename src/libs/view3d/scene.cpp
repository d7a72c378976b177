#include "libs/view3d/scene.h"

#include "libs/view3d/gimbal_joints.h"
#include "libs/view3d/shading.h"
#include "libs/view3d/view_camera.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>

namespace {

// Where each variant is aimed, how much of it fills the view's height, and
// where its compass disc lies.
struct Framing {
    Vec3 target;
    double extent;
    double ground_level;
    double ground_radius;
};

constexpr Framing kGimbalFraming{GimbalDimensions::kModelCentre, 3.0, GimbalDimensions::kGroundLevel,
                                 GimbalDimensions::kGroundRadius};
constexpr Framing kCameraOnlyFraming{{0, 0, 0.2}, 2.3, 0.7, 1.05};

constexpr SurfaceColour kGroundRim{150, 162, 176};
constexpr SurfaceColour kGroundFill{214, 221, 229};
constexpr SurfaceColour kGroundMarks{128, 140, 155};
constexpr SurfaceColour kAccent{232, 121, 43};

constexpr int kGroundSides = 64;
constexpr int kTickCount = 12;
constexpr double kRayLength = 1.6;
constexpr int kRaySegments = 8;

// Line widths in model units, so they follow the zoom.
constexpr double kTickWidth = 0.016;
constexpr double kNeedleWidth = 0.04;
constexpr double kRayWidth = 0.032;

Point2 Midpoint(Point2 a, Point2 b)
{
    return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

class SceneBuilder {
public:
    explicit SceneBuilder(const SceneRequest& request)
        : m_framing(request.variant == ModelVariant::CameraOnly ? kCameraOnlyFraming : kGimbalFraming),
          m_camera(request.viewport, m_framing.target, m_framing.extent, request.zoom),
          m_yaw(request.attitude.yaw)
    {
        const Mat3 camera = RotationFromAttitude(request.attitude);
        const GimbalJoints joints = JointsForOrientation(camera);
        m_link_orientation = {Mat3::Identity(), YawArmOrientation(joints), RollArmOrientation(joints),
                              camera};
    }

    Scene Build(const Mesh& mesh)
    {
        AddGround();
        AddHeadingNeedle(Radians(m_yaw), m_framing.ground_radius);
        AddFaces(mesh);
        AddLensRay();
        std::stable_sort(m_solids.begin(), m_solids.end(),
                         [](const DrawItem& a, const DrawItem& b) { return a.depth > b.depth; });
        return {std::move(m_ground), std::move(m_heading), std::move(m_solids)};
    }

private:
    const Mat3& Orientation(Link link) const { return m_link_orientation[static_cast<int>(link)]; }

    Vec3 OnGround(double heading_radians, double radius) const
    {
        return {radius * std::cos(heading_radians), radius * std::sin(heading_radians),
                m_framing.ground_level};
    }

    DrawItem Polygon(const std::vector<Vec3>& corners, SurfaceColour colour, double opacity = 1.0) const
    {
        DrawItem item{.colour = colour, .colour_to = colour, .opacity = opacity};
        for (const Vec3& corner : corners) {
            item.points.push_back(m_camera.Project(corner));
        }
        return item;
    }

    DrawItem Line(Vec3 from, Vec3 to, SurfaceColour colour, double width, double opacity = 1.0) const
    {
        DrawItem item{.points = {m_camera.Project(from), m_camera.Project(to)},
                      .colour = colour,
                      .colour_to = colour,
                      .opacity = opacity,
                      .line_width = width * m_camera.PixelsPerUnit(),
                      .depth = m_camera.Depth((from + to) * 0.5)};
        return item;
    }

    std::vector<Vec3> GroundCircle(double radius) const
    {
        std::vector<Vec3> circle;
        circle.reserve(kGroundSides);
        for (int side = 0; side < kGroundSides; ++side) {
            circle.push_back(OnGround(2.0 * std::numbers::pi * side / kGroundSides, radius));
        }
        return circle;
    }

    // A compass disc fixed to the floor: a rim, ticks every 30 degrees and a
    // triangle at heading 0.
    void AddGround()
    {
        const double radius = m_framing.ground_radius;
        m_ground.push_back(Polygon(GroundCircle(radius), kGroundRim, 0.8));
        m_ground.push_back(Polygon(GroundCircle(radius * 0.96), kGroundFill, 0.9));
        for (int tick = 0; tick < kTickCount; ++tick) {
            const double heading = 2.0 * std::numbers::pi * tick / kTickCount;
            const double inner = tick % 3 == 0 ? 0.78 : 0.87;
            m_ground.push_back(Line(OnGround(heading, radius * inner), OnGround(heading, radius * 0.96),
                                    kGroundMarks, kTickWidth));
        }
        m_ground.push_back(Polygon(
            {OnGround(0.0, radius * 1.1), OnGround(0.07, radius * 0.98), OnGround(-0.07, radius * 0.98)},
            kGroundMarks));
    }

    // An orange needle on the compass disc at the camera's heading.
    void AddHeadingNeedle(double heading, double radius)
    {
        const Vec3 tip = OnGround(heading, radius * 0.95);
        m_heading.push_back(
            Line(OnGround(heading, radius * 0.2), OnGround(heading, radius * 0.8), kAccent, kNeedleWidth));
        m_heading.push_back(
            Polygon({tip, OnGround(heading + 0.09, radius * 0.76), OnGround(heading - 0.09, radius * 0.76)},
                    kAccent));
    }

    // Every face, the sides of each cylinder as one band.
    void AddFaces(const Mesh& mesh)
    {
        const std::span<const Face> faces(mesh.faces);
        std::size_t next = 0;
        for (const SmoothBand& band : mesh.bands) {
            AddEachFace(faces.subspan(next, band.first - next));
            AddBand(faces.subspan(band.first, band.count));
            next = band.first + band.count;
        }
        AddEachFace(faces.subspan(next));
    }

    void AddEachFace(std::span<const Face> faces)
    {
        for (const Face& face : faces) {
            AddFace(face);
        }
    }

    // One long edge of a band's face, turned with its link.
    struct BandEdge {
        Vec3 near;
        Vec3 far;
        Vec3 normal;
    };

    // The visible sides of a cylinder as one polygon, without the inner
    // edges whose antialiasing would show as seams: it runs along the near
    // ring and back along the far ring, and one gradient across it carries
    // the shade of every edge. When the visible faces are not one run around
    // the axis, or their edges do not follow each other across the picture,
    // they paint face by face.
    void AddBand(std::span<const Face> sides)
    {
        const std::vector<bool> visible = VisibleSides(sides);
        const auto shown = static_cast<std::size_t>(std::ranges::count(visible, true));
        if (shown == 0) {
            return;
        }
        const std::optional<std::size_t> start = RunStart(visible, shown);
        std::optional<DrawItem> band =
            start ? BandItem(RunEdges(sides, *start, shown), sides.front().colour) : std::nullopt;
        if (band) {
            m_solids.push_back(std::move(*band));
        } else {
            AddEachFace(sides);
        }
    }

    std::vector<bool> VisibleSides(std::span<const Face> sides) const
    {
        std::vector<bool> visible;
        for (const Face& side : sides) {
            const Mat3& orientation = Orientation(side.link);
            visible.push_back(m_camera.Sees(orientation * side.corners[0], orientation * side.normal));
        }
        return visible;
    }

    // The first of the `shown` visible faces when they follow each other
    // around the axis (wrapping from the last to the first).
    static std::optional<std::size_t> RunStart(const std::vector<bool>& visible, std::size_t shown)
    {
        const std::size_t count = visible.size();
        for (std::size_t start = 0; start < count; ++start) {
            if (visible[start] && !visible[(start + count - 1) % count]) {
                for (std::size_t i = 1; i < shown; ++i) {
                    if (!visible[(start + i) % count])
                        return std::nullopt;
                }
                return start;
            }
        }
        return std::nullopt;
    }

    // The long edges of `length` faces from `start` on, turned with their
    // link: one more than the faces.
    std::vector<BandEdge> RunEdges(std::span<const Face> sides, std::size_t start, std::size_t length) const
    {
        std::vector<BandEdge> edges;
        for (std::size_t i = 0; i < length; ++i) {
            const Face& face = sides[(start + i) % sides.size()];
            const Mat3& orientation = Orientation(face.link);
            edges.push_back({orientation * face.corners[0], orientation * face.corners[1],
                             orientation * face.edge_normals[0]});
            if (i + 1 == length) {
                edges.push_back({orientation * face.corners[3], orientation * face.corners[2],
                                 orientation * face.edge_normals[1]});
            }
        }
        return edges;
    }

    std::optional<DrawItem> BandItem(const std::vector<BandEdge>& edges, SurfaceColour colour) const
    {
        // Across the band: square to the cylinder's axis on the picture.
        Point2 axis;
        std::vector<Point2> near;
        std::vector<Point2> far;
        for (const BandEdge& edge : edges) {
            near.push_back(m_camera.Project(edge.near));
            far.push_back(m_camera.Project(edge.far));
            axis = {axis.x + far.back().x - near.back().x, axis.y + far.back().y - near.back().y};
        }
        const double length = std::hypot(axis.x, axis.y);
        if (!(length > 1e-9)) {
            return std::nullopt;
        }
        const Point2 across{-axis.y / length, axis.x / length};
        const Point2 origin = Midpoint(near.front(), far.front());
        std::vector<double> offsets;
        for (std::size_t i = 0; i < edges.size(); ++i) {
            const Point2 middle = Midpoint(near[i], far[i]);
            offsets.push_back((middle.x - origin.x) * across.x + (middle.y - origin.y) * across.y);
        }
        const double span = offsets.back();
        // Each edge farther across than the one before, or the gradient
        // would fold.
        for (std::size_t i = 1; i < offsets.size(); ++i) {
            if (!((offsets[i] - offsets[i - 1]) / span > 0.0)) {
                return std::nullopt;
            }
        }

        DrawItem item{.gradient_from = origin,
                      .gradient_to = {origin.x + across.x * span, origin.y + across.y * span}};
        item.points = near;
        item.points.insert(item.points.end(), far.rbegin(), far.rend());
        Vec3 centres;
        for (std::size_t i = 0; i < edges.size(); ++i) {
            const Vec3 centre = (edges[i].near + edges[i].far) * 0.5;
            const SurfaceColour shade = Shade(colour, edges[i].normal, m_camera.ToEye(centre));
            if (i == 0) {
                item.colour = shade;
            } else if (i + 1 == edges.size()) {
                item.colour_to = shade;
            } else {
                item.between.push_back({offsets[i] / span, shade});
            }
            // Each face's centre is the mean of its two edges' centres.
            const double weight = i == 0 || i + 1 == edges.size() ? 0.5 : 1.0;
            centres = centres + centre * weight;
        }
        item.depth = m_camera.Depth(centres * (1.0 / static_cast<double>(edges.size() - 1)));
        return item;
    }

    void AddFace(const Face& face)
    {
        const Mat3& orientation = Orientation(face.link);
        const Vec3 normal = orientation * face.normal;
        // Most faces turn away: only the first corner is turned to tell.
        if (!m_camera.Sees(orientation * face.corners.front(), normal)) {
            return;
        }
        std::vector<Vec3> corners;
        Vec3 sum;
        for (const Vec3& corner : face.corners) {
            corners.push_back(orientation * corner);
            sum = sum + corners.back();
        }
        const Vec3 centroid = sum * (1.0 / static_cast<double>(corners.size()));
        const Vec3 to_eye = m_camera.ToEye(centroid);
        DrawItem item = Polygon(corners, Shade(face.colour, normal, to_eye));
        item.depth = m_camera.Depth(centroid);
        if (face.smooth) {
            item.colour = Shade(face.colour, orientation * face.edge_normals[0], to_eye);
            item.colour_to = Shade(face.colour, orientation * face.edge_normals[1], to_eye);
            item.gradient_from = Midpoint(item.points[0], item.points[1]);
            item.gradient_to = Midpoint(item.points[2], item.points[3]);
        }
        m_solids.push_back(std::move(item));
    }

    // A fading orange line from the lens along the optical axis, in short
    // pieces so the body hides the parts behind it.
    void AddLensRay()
    {
        const Mat3& camera = Orientation(Link::Camera);
        const Vec3 start = camera * GimbalDimensions::kLensFront;
        const Vec3 step = camera * Vec3{kRayLength / kRaySegments, 0, 0};
        for (int piece = 0; piece < kRaySegments; ++piece) {
            const double fade = 1.0 - static_cast<double>(piece) / kRaySegments;
            m_solids.push_back(Line(start + step * piece, start + step * (piece + 1), kAccent, kRayWidth,
                                    0.15 + 0.8 * fade));
        }
    }

    Framing m_framing;
    ViewCamera m_camera;
    double m_yaw;
    std::array<Mat3, 4> m_link_orientation;
    std::vector<DrawItem> m_ground;
    std::vector<DrawItem> m_heading;
    std::vector<DrawItem> m_solids;
};

} // namespace

Scene BuildScene(const Mesh& mesh, const SceneRequest& request)
{
    return SceneBuilder(request).Build(mesh);
}
