#pragma once

#include "protocol/rgb.h"

// Colours of the texts the window draws itself, readable on any palette. The
// status line and the telemetry fields are given fixed colours (black for
// progress, red for failures); on a light palette they are shown as given,
// on a dark one black would vanish and pure red is too dim.

// The contrast ratio of two colours as the accessibility guidelines define
// it: 1 (the same) to 21 (black on white).
double ContrastRatio(Rgb a, Rgb b);

// A background on which white reads better than black.
bool IsDarkBackground(Rgb background);

// The smallest contrast a text must have against its background.
inline constexpr double kReadableContrast = 4.5;

// The colour to draw a text meant in `wanted` on `background`: `wanted` on a
// light background; on a dark one, black becomes the palette's text colour
// `palette_text`, and any other colour is lightened just enough to reach
// kReadableContrast, keeping its hue.
Rgb ReadableTextColour(Rgb wanted, Rgb background, Rgb palette_text);

// Black or white, whichever reads better on `fill` (a text over a bar).
Rgb TextColourOn(Rgb fill);
