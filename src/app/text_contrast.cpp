#include "app/text_contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(uint8_t channel)
{
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb colour)
{
    return 0.2126 * Linear(colour.r) + 0.7152 * Linear(colour.g) + 0.0722 * Linear(colour.b);
}

uint8_t TowardWhite(uint8_t channel, int step, int steps)
{
    return static_cast<uint8_t>(channel + (255 - channel) * step / steps);
}

} // namespace

double ContrastRatio(Rgb a, Rgb b)
{
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

bool IsDarkBackground(Rgb background)
{
    return ContrastRatio(background, Rgb{255, 255, 255}) > ContrastRatio(background, Rgb{0, 0, 0});
}

Rgb ReadableTextColour(Rgb wanted, Rgb background, Rgb palette_text)
{
    if (!IsDarkBackground(background))
        return wanted;
    if (wanted == kBlack)
        return palette_text;
    constexpr int kSteps = 64;
    for (int step = 0; step < kSteps; ++step) {
        const Rgb lighter{TowardWhite(wanted.r, step, kSteps), TowardWhite(wanted.g, step, kSteps),
                          TowardWhite(wanted.b, step, kSteps)};
        if (ContrastRatio(lighter, background) >= kReadableContrast)
            return lighter;
    }
    return Rgb{255, 255, 255};
}

Rgb TextColourOn(Rgb fill)
{
    return IsDarkBackground(fill) ? Rgb{255, 255, 255} : kBlack;
}
