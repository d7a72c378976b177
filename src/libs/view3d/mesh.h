#pragma once

#include "libs/view3d/vec3.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct SurfaceColour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const SurfaceColour&, const SurfaceColour&) = default;
};

// The rigid parts of the gimbal; each turns with its own orientation.
enum class Link { Base, YawArm, RollArm, Camera };

// One flat polygon of the model in its link's frame. A smooth face (the side
// of a cylinder) is shaded from the normals of its two long edges: corners 0
// and 1 lie on the first edge, corners 2 and 3 on the second.
struct Face {
    Link link = Link::Base;
    std::vector<Vec3> corners{};
    Vec3 normal{};
    SurfaceColour colour{};
    bool smooth = false;
    std::array<Vec3, 2> edge_normals{};
};

// The sides of one cylinder: `count` smooth faces from `first` in order
// around its axis, each sharing its second edge with the next one's first
// edge and the last with the first. The visible ones paint as one polygon.
struct SmoothBand {
    std::size_t first = 0;
    std::size_t count = 0;
};

struct Mesh {
    std::vector<Face> faces;
    std::vector<SmoothBand> bands;

    // An axis-aligned box between two opposite corners.
    void AddBox(Link link, Vec3 low, Vec3 high, SurfaceColour colour);
    // A closed cylinder from the centre of one end to the other.
    void AddCylinder(Link link, Vec3 from, Vec3 to, double radius, SurfaceColour side, SurfaceColour ends);
    // A flat round face at `centre` looking along `normal`.
    void AddDisc(Link link, Vec3 centre, Vec3 normal, double radius, SurfaceColour colour);
    // A flat rectangle at `centre` looking along `normal`, spanning +-half_u
    // along `u` and +-half_v along normal x u.
    void AddPanel(Link link, Vec3 centre, Vec3 normal, Vec3 u, double half_u, double half_v,
                  SurfaceColour colour);
};
