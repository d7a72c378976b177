#include "link/sender_thread.h"
#include "platform/periodic_timer.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// The limit is the timer's own: a minute and more is a period like any
// other, up to the longest the system takes (Windows: 1,000,000 ms).
TEST(SendPeriod, AnyPeriodTheTimerTakesIsUsable)
{
    for (const int period : {1, 60000, 60001, LongestTimerPeriodMs()}) {
        EXPECT_TRUE(IsUsableSendPeriod(period)) << period;
        EXPECT_EQ(DescribeUnusableSendPeriod(period), "") << period;
        PeriodicTimer timer;
        EXPECT_TRUE(timer.Arm(period)) << period;
    }
    EXPECT_FALSE(IsUsableSendPeriod(0));
    EXPECT_FALSE(IsUsableSendPeriod(-1));
    if (LongestTimerPeriodMs() < std::numeric_limits<int>::max()) {
        EXPECT_FALSE(IsUsableSendPeriod(LongestTimerPeriodMs() + 1));
    }
}

TEST(SendPeriod, AnUnusablePeriodIsExplainedWithTheUsableRange)
{
    const std::string longest = std::to_string(LongestTimerPeriodMs());
    for (const int period : {0, -5}) {
        const std::string why = DescribeUnusableSendPeriod(period);
        EXPECT_NE(why.find("no frames"), std::string::npos) << why;
        EXPECT_NE(why.find(std::to_string(period) + " ms"), std::string::npos) << why;
        EXPECT_NE(why.find("1 to " + longest + " ms"), std::string::npos) << why;
    }
}

} // namespace
