#include "resources/dialog_units.h"

#include <cstdint>

int MulDiv(int numerator, int multiplier, int divisor)
{
    if (divisor == 0) {
        return 0;
    }
    const int64_t product = int64_t{numerator} * multiplier;
    const int64_t magnitude_product = product < 0 ? -product : product;
    const int64_t magnitude_divisor = divisor < 0 ? -int64_t{divisor} : divisor;
    const int64_t magnitude = (magnitude_product + magnitude_divisor / 2) / magnitude_divisor;
    const bool negative = (product < 0) != (divisor < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

PixelRect DluToPixels(const DluRect& rect, int base_x, int base_y)
{
    return {MulDiv(rect.x, base_x, 4), MulDiv(rect.y, base_y, 8), MulDiv(rect.width, base_x, 4),
            MulDiv(rect.height, base_y, 8)};
}

int TextWidthDlu(std::string_view text)
{
    constexpr int kNarrowWidth = 4;
    constexpr int kWideWidth = 8;
    int width = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool continuation = (byte & 0xC0) == 0x80;
        if (continuation) {
            continue; // counted with the lead byte of its character
        }
        width += byte < 0x80 ? kNarrowWidth : kWideWidth;
    }
    return width;
}
