#pragma once

#include "libs/view3d/rotation.h"
#include "libs/view3d/view_layout.h"

class QPainter;

// One dial: a small camera seen from the gauge's side (from behind for roll,
// from its right for pitch, from above for yaw), turned by that one angle
// against fixed level marks (roll, pitch) or a heading-0 mark (yaw), with
// the gauge's letter to its left.
void PaintGauge(QPainter& painter, Gauge gauge, const Rect& dial, const Attitude& attitude);
