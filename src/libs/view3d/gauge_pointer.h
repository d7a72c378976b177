#pragma once

#include "libs/view3d/rotation.h"
#include "libs/view3d/view_layout.h"

// The unit direction, on screen (x right, y down), in which a gauge's
// pointer points from the dial's centre: for roll the camera's right side,
// which dips below the level marks as roll grows; for pitch the lens, which
// rises above them as pitch grows; for yaw the heading, clockwise from up.
Point2 GaugePointer(Gauge gauge, const Attitude& attitude);
