#include "platform/periodic_timer.h"
#include "platform/stop_signal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Lets `period` pass as a busy owner would, on a timer of its own: at
// least that long, however loaded the machine.
void LetPass(std::chrono::milliseconds period)
{
    PeriodicTimer other;
    StopSignal never;
    ASSERT_TRUE(other.Arm(static_cast<int>(period.count())));
    ASSERT_GE(other.Wait(never), 1u);
}

TEST(StopSignal, StaysRaisedUntilReset)
{
    StopSignal stop;
    EXPECT_FALSE(stop.IsSignalled());
    stop.Signal();
    stop.Signal();
    EXPECT_TRUE(stop.IsSignalled());
    stop.Reset();
    EXPECT_FALSE(stop.IsSignalled());
    stop.Reset();
    EXPECT_FALSE(stop.IsSignalled());
}

// Timing here is bounded from one side only, with wide margins: a loaded
// machine (or Wine) may wake a thread late, never a timer much too early.
TEST(PeriodicTimer, TicksOncePerPeriodAndMergesMissedTicks)
{
    constexpr int kPeriodMs = 20;
    constexpr std::chrono::milliseconds kPeriod(kPeriodMs);
    PeriodicTimer timer;
    StopSignal stop;
    const auto start = Clock::now();
    ASSERT_TRUE(timer.Arm(kPeriodMs));
    EXPECT_GE(timer.Wait(stop), 1u);
    // Not at once; a timer that counts whole milliseconds may be a little early.
    EXPECT_GE(Clock::now() - start, kPeriod / 2);

    LetPass(6 * kPeriod);
    EXPECT_GE(timer.Wait(stop), 5u); // six periods passed, one wake-up
}

TEST(PeriodicTimer, DisarmedOrUnusableTimerWaitsOnlyForStop)
{
    PeriodicTimer timer;
    EXPECT_FALSE(timer.Arm(0));
    EXPECT_FALSE(timer.Arm(-5));
    EXPECT_FALSE(timer.IsArmed());
    StopSignal stop;
    std::atomic<bool> stopped{false};
    std::thread stopper([&] {
        LetPass(30ms);
        stopped = true;
        stop.Signal();
    });
    EXPECT_EQ(timer.Wait(stop), 0u);
    EXPECT_TRUE(stopped) << "the wait ended before the stop";
    stopper.join();

    ASSERT_TRUE(timer.Arm(1));
    timer.Disarm();
    EXPECT_EQ(timer.Wait(stop), 0u); // still raised: no tick comes first
}

TEST(PeriodicTimer, StopEndsAnArmedWaitBeforeTheTick)
{
    PeriodicTimer timer;
    ASSERT_TRUE(timer.Arm(60000));
    StopSignal stop;
    stop.Signal();
    const auto start = Clock::now();
    EXPECT_EQ(timer.Wait(stop), 0u);
    EXPECT_LT(Clock::now() - start, 30s);
}

// The longest period the system names is one it takes; longer is refused
// rather than cut short.
TEST(PeriodicTimer, TakesPeriodsUpToTheSystemsLongest)
{
    const int longest = LongestTimerPeriodMs();
    ASSERT_GE(longest, 60000);
    PeriodicTimer timer;
    EXPECT_TRUE(timer.Arm(longest));
    if (longest < std::numeric_limits<int>::max()) {
        EXPECT_FALSE(timer.Arm(longest + 1));
        EXPECT_FALSE(timer.IsArmed());
    }
}

} // namespace
