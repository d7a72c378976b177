#include "libs/view3d/mesh.h"

#include <cmath>
#include <numbers>

namespace {

// Round shapes are drawn as prisms of this many sides: smooth enough at the
// view's size with Gouraud-like shading, cheap enough to sort.
constexpr int kRoundSides = 16;

// Two unit vectors perpendicular to `axis` and to each other.
std::array<Vec3, 2> PerpendicularPair(Vec3 axis)
{
    const Vec3 helper = std::abs(axis.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    const Vec3 u = Normalized(Cross(axis, helper));
    return {u, Cross(axis, u)};
}

std::vector<Vec3> Ring(Vec3 centre, Vec3 axis, double radius)
{
    const auto [u, v] = PerpendicularPair(axis);
    std::vector<Vec3> ring;
    for (int side = 0; side < kRoundSides; ++side) {
        const double angle = 2.0 * std::numbers::pi * side / kRoundSides;
        ring.push_back(centre + (u * std::cos(angle) + v * std::sin(angle)) * radius);
    }
    return ring;
}

} // namespace

void Mesh::AddBox(Link link, Vec3 low, Vec3 high, SurfaceColour colour)
{
    const Vec3 centre = (low + high) * 0.5;
    const Vec3 half = (high - low) * 0.5;
    const std::array<Vec3, 3> axes{Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
    const std::array<double, 3> extent{half.x, half.y, half.z};
    for (int axis = 0; axis < 3; ++axis) {
        const Vec3 u = axes[(axis + 1) % 3];
        const Vec3 v = axes[(axis + 2) % 3];
        const double hu = extent[(axis + 1) % 3];
        const double hv = extent[(axis + 2) % 3];
        for (const double sign : {-1.0, 1.0}) {
            const Vec3 normal = axes[axis] * sign;
            const Vec3 middle = centre + normal * extent[axis];
            faces.push_back({link,
                             {middle - u * hu - v * hv, middle + u * hu - v * hv, middle + u * hu + v * hv,
                              middle - u * hu + v * hv},
                             normal,
                             colour});
        }
    }
}

void Mesh::AddCylinder(Link link, Vec3 from, Vec3 to, double radius, SurfaceColour side, SurfaceColour ends)
{
    const Vec3 axis = Normalized(to - from);
    const std::vector<Vec3> near_ring = Ring(from, axis, radius);
    const std::vector<Vec3> far_ring = Ring(to, axis, radius);
    bands.push_back({faces.size(), kRoundSides});
    for (int i = 0; i < kRoundSides; ++i) {
        const int next = (i + 1) % kRoundSides;
        const Vec3 normal_i = Normalized(near_ring[i] - from);
        const Vec3 normal_next = Normalized(near_ring[next] - from);
        faces.push_back({link,
                         {near_ring[i], far_ring[i], far_ring[next], near_ring[next]},
                         Normalized(normal_i + normal_next),
                         side,
                         true,
                         {normal_i, normal_next}});
    }
    faces.push_back({link, near_ring, axis * -1.0, ends});
    faces.push_back({link, far_ring, axis, ends});
}

void Mesh::AddDisc(Link link, Vec3 centre, Vec3 normal, double radius, SurfaceColour colour)
{
    faces.push_back({link, Ring(centre, normal, radius), normal, colour});
}

void Mesh::AddPanel(Link link, Vec3 centre, Vec3 normal, Vec3 u, double half_u, double half_v,
                    SurfaceColour colour)
{
    const Vec3 v = Cross(normal, u);
    faces.push_back({link,
                     {centre - u * half_u - v * half_v, centre + u * half_u - v * half_v,
                      centre + u * half_u + v * half_v, centre - u * half_u + v * half_v},
                     normal,
                     colour});
}
