#pragma once

// A point on the view, in pixels: x to the right, y down.
struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

struct Rect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    Point2 Centre() const { return {x + width / 2.0, y + height / 2.0}; }
};
