#pragma once

#include "libs/view3d/vec3.h"
#include "libs/view3d/view_geometry.h"

// The eye that looks at the model: behind it and above, on the model's
// plane of symmetry, so the camera's right is the viewer's right, a pure
// yaw to either side draws as mirror images, and the lens of a camera at
// rest points into the picture. Mild perspective gives depth.
class ViewCamera {
public:
    // Aims at `target` and scales so that a span of `extent` model units
    // fills the height of `viewport` (times `zoom`).
    ViewCamera(const Rect& viewport, Vec3 target, double extent, double zoom);

    Point2 Project(Vec3 point) const;
    // Distance from the eye along the viewing direction: larger is farther.
    double Depth(Vec3 point) const;
    // Whether a face through `point` with outward `normal` turns to the eye.
    bool Sees(Vec3 point, Vec3 normal) const;
    Vec3 ToEye(Vec3 point) const { return Normalized(m_eye - point); }
    double PixelsPerUnit() const { return m_pixels_per_unit; }

private:
    Vec3 m_eye;
    Vec3 m_right;
    Vec3 m_up;
    Vec3 m_forward;
    double m_target_distance;
    double m_pixels_per_unit;
    Point2 m_centre;
};
