#pragma once

#include "libs/view3d/view_geometry.h"

#include <array>

// The three small 2D gauges beside the model, each from its own side:
// roll seen from behind the camera, pitch from its right side (lens to the
// right), yaw from above (heading 0 up).
enum class Gauge { Roll, Pitch, Yaw };
inline constexpr std::array kGauges{Gauge::Roll, Gauge::Pitch, Gauge::Yaw};

// How the view divides its area: the model on the left, a column of the
// three gauges (roll, pitch, yaw from the top) on the right.
struct ViewLayout {
    Rect model;
    std::array<Rect, 3> gauges; // square dials, indexed by Gauge
};

ViewLayout LayoutView(double width, double height);
