#include "libs/view3d/view_layout.h"

#include <algorithm>

namespace {

constexpr double kMargin = 6.0;
constexpr double kLargestDial = 56.0;
// Room left of each dial for its letter.
constexpr double kLabelWidth = 16.0;

} // namespace

ViewLayout LayoutView(double width, double height)
{
    const double dial = std::clamp((height - 4.0 * kMargin) / 3.0, 0.0, kLargestDial);
    const double column = dial + kLabelWidth + 2.0 * kMargin;
    const double first_top = (height - 3.0 * dial - 2.0 * kMargin) / 2.0;
    ViewLayout layout;
    layout.model = {0.0, 0.0, std::max(width - column, 0.0), height};
    for (int gauge = 0; gauge < 3; ++gauge) {
        layout.gauges[gauge] = {width - kMargin - dial, first_top + gauge * (dial + kMargin), dial, dial};
    }
    return layout;
}
