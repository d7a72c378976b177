#include "app/refresh_decimator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The 1-based calls of `mode`, out of `calls`, that were due.
std::vector<int> DueCalls(RefreshDecimator& decimator, TelemetryRefresh mode, int calls)
{
    std::vector<int> due;
    for (int call = 1; call <= calls; ++call) {
        if (decimator.IsDue(mode)) {
            due.push_back(call);
        }
    }
    return due;
}

TEST(RefreshDecimator, AttitudeIsDueOnEveryTenthFrame)
{
    RefreshDecimator decimator;
    EXPECT_EQ(DueCalls(decimator, TelemetryRefresh::kEveryFrame, 30), (std::vector<int>{10, 20, 30}));
}

TEST(RefreshDecimator, LivePagesAreDueOnEveryFifthFrame)
{
    RefreshDecimator decimator;
    EXPECT_EQ(DueCalls(decimator, TelemetryRefresh::kStatusPage, 12), (std::vector<int>{5, 10}));
    EXPECT_EQ(DueCalls(decimator, TelemetryRefresh::kGridPage, 5), (std::vector<int>{5}));
}

TEST(RefreshDecimator, ModesCountIndependently)
{
    RefreshDecimator decimator;
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(decimator.IsDue(TelemetryRefresh::kStatusPage));
        EXPECT_FALSE(decimator.IsDue(TelemetryRefresh::kGridPage));
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_FALSE(decimator.IsDue(TelemetryRefresh::kEveryFrame));
    }
    EXPECT_TRUE(decimator.IsDue(TelemetryRefresh::kStatusPage));
    EXPECT_FALSE(decimator.IsDue(TelemetryRefresh::kStatusPage));
    EXPECT_TRUE(decimator.IsDue(TelemetryRefresh::kGridPage));
    EXPECT_TRUE(decimator.IsDue(TelemetryRefresh::kEveryFrame));
}

TEST(RefreshDecimator, OtherModesAreNeverDueAndCountNothing)
{
    RefreshDecimator decimator;
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(decimator.IsDue(static_cast<TelemetryRefresh>(-1)));
        EXPECT_FALSE(decimator.IsDue(static_cast<TelemetryRefresh>(3)));
    }
    EXPECT_EQ(DueCalls(decimator, TelemetryRefresh::kGridPage, 5), (std::vector<int>{5}));
}

} // namespace
