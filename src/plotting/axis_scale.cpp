#include "plotting/axis_scale.h"

#include <algorithm>
#include <cmath>

namespace {

double RoundStep(double rough)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= rough)
            return factor * magnitude;
    }
    return 10 * magnitude;
}

} // namespace

AxisScale RoundAxis(double low, double high, int max_ticks)
{
    if (!std::isfinite(low) || !std::isfinite(high))
        return {-1, 1, 1};
    if (high < low)
        std::swap(low, high);
    if (high - low < 1e-9) {
        const double band = std::max(std::abs(low) * 0.01, 0.5);
        low -= band;
        high += band;
    }
    const double step = RoundStep((high - low) / std::max(max_ticks, 1));
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}
