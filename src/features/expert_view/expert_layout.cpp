#include "features/expert_view/expert_layout.h"

#include <algorithm>

PixelSize ExpertWindowSize(PixelSize whole, PixelSize room, int scroll_bar)
{
    const bool cut_wide = whole.width > room.width;
    const bool cut_tall = whole.height > room.height;
    return {std::min(whole.width + (cut_tall ? scroll_bar : 0), room.width),
            std::min(whole.height + (cut_wide ? scroll_bar : 0), room.height)};
}
