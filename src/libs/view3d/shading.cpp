#include "libs/view3d/shading.h"

#include <algorithm>

namespace {

constexpr double kAmbient = 0.36;
constexpr double kKeyLight = 0.58;
constexpr double kEyeFill = 0.2;
const Vec3 kToLight = Normalized({-0.55, 0.0, -1.0});

std::uint8_t Scaled(std::uint8_t channel, double factor)
{
    return static_cast<std::uint8_t>(std::clamp(channel * factor, 0.0, 255.0));
}

} // namespace

SurfaceColour Shade(SurfaceColour colour, Vec3 normal, Vec3 to_eye)
{
    const double light = kAmbient + kKeyLight * std::max(0.0, Dot(normal, kToLight)) +
                         kEyeFill * std::max(0.0, Dot(normal, to_eye));
    return {Scaled(colour.r, light), Scaled(colour.g, light), Scaled(colour.b, light)};
}
