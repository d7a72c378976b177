#pragma once

#include "libs/view3d/mesh.h"

// One light, fixed in the world above and behind the viewer (on the plane
// of symmetry, so mirrored attitudes shade alike), plus a soft fill from the
// eye so no visible face goes black.
SurfaceColour Shade(SurfaceColour colour, Vec3 normal, Vec3 to_eye);
