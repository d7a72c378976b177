#include "protocol/wire_conversions.h"

#include <cmath>

namespace {

constexpr double kInt32Min = -2147483648.0;
constexpr double kInt32Max = 2147483647.0;

// Written so that NaN fails the test as well.
bool FitsInt32(double whole)
{
    return whole >= kInt32Min && whole <= kInt32Max;
}

} // namespace

int32_t TruncToInt32(double value)
{
    const double whole = std::trunc(value);
    return FitsInt32(whole) ? static_cast<int32_t>(whole) : 0;
}

int32_t RoundTenthsToInt32(double value)
{
    const double whole = std::round(value * 10.0);
    return FitsInt32(whole) ? static_cast<int32_t>(whole) : 0;
}
