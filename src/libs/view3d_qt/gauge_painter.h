#pragma once

#include "libs/view3d/rotation.h"
#include "libs/view3d/view_layout.h"

#include <QPolygonF>
#include <array>
#include <vector>

class QPainter;

// One dial: a small camera seen from the gauge's side (from behind for roll,
// from its right for pitch, from above for yaw), turned by that one angle
// against fixed level marks (roll, pitch) or a heading-0 mark (yaw), with
// the gauge's letter to its left.

// The parts no angle moves: the letter, the dial and its marks.
void PaintGaugeFace(QPainter& painter, Gauge gauge, const Rect& dial);

// The small camera on each dial, turned by the gauge's angle. Its rounded
// parts are flattened into polygons once per dial size and pixel ratio:
// flattening their corners on every paint cost more than filling them.
class GaugePointers {
public:
    void Paint(QPainter& painter, Gauge gauge, const Rect& dial, const Attitude& attitude);

private:
    struct Outlines {
        double device_radius = 0.0;
        std::vector<QPolygonF> parts;
    };

    const std::vector<QPolygonF>& Parts(Gauge gauge, double device_radius);

    std::array<Outlines, 3> m_outlines;
};
