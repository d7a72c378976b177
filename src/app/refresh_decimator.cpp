#include "app/refresh_decimator.h"

#include <iterator>

namespace {

// Calls per rewrite, by mode.
constexpr unsigned kThresholds[] = {10, 5, 5};

} // namespace

bool RefreshDecimator::IsDue(TelemetryRefresh mode)
{
    const auto index = static_cast<size_t>(mode);
    if (index >= std::size(kThresholds)) {
        return false;
    }
    unsigned& counter = m_counters[index];
    if (++counter < kThresholds[index]) {
        return false;
    }
    counter = 0;
    return true;
}
