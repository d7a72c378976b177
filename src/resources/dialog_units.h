#pragma once

#include "resources/dialog_template.h"

#include <string_view>

// Dialog units are relative to the dialog font: horizontally a quarter, and
// vertically an eighth, of the font's base units.

struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

// `numerator * multiplier / divisor`, rounded to the nearest integer with
// halves away from zero, computed without overflow; 0 when divisor is 0.
int MulDiv(int numerator, int multiplier, int divisor);

// The pixel rectangle of `rect` for a font with base units base_x (average
// letter width) and base_y (line height); position and size are each
// converted on their own.
PixelRect DluToPixels(const DluRect& rect, int base_x, int base_y);

// Width in dialog units of `text` (UTF-8) in the monospace dialog font:
// 4 for an ASCII character, 8 for any other (CJK characters are double width).
int TextWidthDlu(std::string_view text);

// Height in dialog units of one line of text in the dialog font.
inline constexpr int kLineHeightDlu = 8;
