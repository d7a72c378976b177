#pragma once

#include "libs/view3d/rotation.h"
#include "libs/view3d/view_layout.h"

class QPainter;

// One dial: a small camera seen from the gauge's side (from behind for roll,
// from its right for pitch, from above for yaw), turned by that one angle
// against fixed level marks (roll, pitch) or a heading-0 mark (yaw), with
// the gauge's letter to its left.

// The parts no angle moves: the letter, the dial and its marks.
void PaintGaugeFace(QPainter& painter, Gauge gauge, const Rect& dial);
// The small camera, turned by the gauge's angle.
void PaintGaugePointer(QPainter& painter, Gauge gauge, const Rect& dial, const Attitude& attitude);
