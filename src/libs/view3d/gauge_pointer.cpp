#include "libs/view3d/gauge_pointer.h"

#include <cmath>

Point2 GaugePointer(Gauge gauge, const Attitude& attitude)
{
    switch (gauge) {
    case Gauge::Roll:
        return {std::cos(Radians(attitude.roll)), std::sin(Radians(attitude.roll))};
    case Gauge::Pitch:
        return {std::cos(Radians(attitude.pitch)), -std::sin(Radians(attitude.pitch))};
    case Gauge::Yaw:
        return {std::sin(Radians(attitude.yaw)), -std::cos(Radians(attitude.yaw))};
    }
    return {1.0, 0.0};
}
