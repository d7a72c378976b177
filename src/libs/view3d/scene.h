#pragma once

#include "libs/view3d/gimbal_model.h"
#include "libs/view3d/rotation.h"
#include "libs/view3d/view_geometry.h"

#include <vector>

// A colour inside a gradient, at `at` (0..1) of the way from its start.
struct ColourStop {
    double at = 0.0;
    SurfaceColour colour{};
};

// One thing to paint: a filled polygon, or a line when `line_width` > 0
// (then `points` holds its two ends). A polygon whose two colours differ is
// filled with a linear gradient from `gradient_from` (`colour`) to
// `gradient_to` (`colour_to`), through the `between` colours in order.
struct DrawItem {
    std::vector<Point2> points{};
    SurfaceColour colour{};
    SurfaceColour colour_to{};
    std::vector<ColourStop> between{};
    Point2 gradient_from{};
    Point2 gradient_to{};
    double opacity = 1.0;
    double line_width = 0.0;
    double depth = 0.0;
};

// Everything of the 3D picture in painting order: the compass disc on the
// floor first (the same for every attitude), then the heading needle on it,
// then the model's visible faces and the lens ray from far to near (the
// painter's algorithm, after back faces are dropped). The visible sides of
// a cylinder come as one polygon with a gradient across them.
struct Scene {
    std::vector<DrawItem> ground{};
    std::vector<DrawItem> heading{};
    std::vector<DrawItem> solids{};
};

struct SceneRequest {
    ModelVariant variant = ModelVariant::Gimbal;
    Attitude attitude{};
    Rect viewport{};
    double zoom = 1.0;
};

Scene BuildScene(const Mesh& mesh, const SceneRequest& request);
