#include "libs/view3d/view_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kElevationDegrees = 24.0;
// Far enough for gentle perspective: the near and far ends of the model
// differ by about a fifth in scale.
constexpr double kEyeDistance = 9.0;
constexpr Vec3 kWorldUp{0, 0, -1};

} // namespace

ViewCamera::ViewCamera(const Rect& viewport, Vec3 target, double extent, double zoom)
{
    const double elevation = kElevationDegrees * std::numbers::pi / 180.0;
    m_eye = target + Vec3{-std::cos(elevation), 0.0, -std::sin(elevation)} * kEyeDistance;
    m_forward = Normalized(target - m_eye);
    m_right = Normalized(Cross(m_forward, kWorldUp));
    m_up = Cross(m_right, m_forward);
    m_target_distance = kEyeDistance;
    m_pixels_per_unit = viewport.height / extent * zoom;
    m_centre = viewport.Centre();
}

Point2 ViewCamera::Project(Vec3 point) const
{
    const Vec3 offset = point - m_eye;
    const double depth = std::max(Dot(offset, m_forward), 1e-3);
    const double scale = m_pixels_per_unit * m_target_distance / depth;
    return {m_centre.x + Dot(offset, m_right) * scale, m_centre.y - Dot(offset, m_up) * scale};
}

double ViewCamera::Depth(Vec3 point) const
{
    return Dot(point - m_eye, m_forward);
}

bool ViewCamera::Sees(Vec3 point, Vec3 normal) const
{
    return Dot(normal, m_eye - point) > 0.0;
}
