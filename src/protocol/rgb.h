#pragma once

#include <cstdint>

// A screen colour, independent of any window toolkit.
struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};       // progress and success texts
inline constexpr Rgb kRed{255, 0, 0};       // failures
inline constexpr Rgb kMagenta{255, 0, 255}; // a refused precondition
inline constexpr Rgb kGreen{6, 176, 37};    // level bar, filling
inline constexpr Rgb kBlue{0, 0, 255};      // level bar, full
