#include "platform/periodic_timer.h"
#include "platform/stop_signal.h"

#include <gtest/gtest.h>

#include <chrono>
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

TEST(PeriodicTimer, TicksOncePerPeriodAndMergesMissedTicks)
{
    PeriodicTimer timer;
    StopSignal stop;
    ASSERT_TRUE(timer.Arm(5));
    const auto start = Clock::now();
    EXPECT_GE(timer.Wait(stop), 1u);
    EXPECT_GE(Clock::now() - start, 4ms);

    LetPass(30ms);
    EXPECT_GE(timer.Wait(stop), 5u); // six periods passed, one wake-up
}

TEST(PeriodicTimer, DisarmedOrUnusableTimerWaitsOnlyForStop)
{
    PeriodicTimer timer;
    EXPECT_FALSE(timer.Arm(0));
    EXPECT_FALSE(timer.Arm(-5));
    EXPECT_FALSE(timer.IsArmed());
    StopSignal stop;
    std::thread stopper([&] {
        LetPass(30ms);
        stop.Signal();
    });
    const auto start = Clock::now();
    EXPECT_EQ(timer.Wait(stop), 0u);
    EXPECT_GE(Clock::now() - start, 25ms);
    stopper.join();

    ASSERT_TRUE(timer.Arm(1));
    timer.Disarm();
    EXPECT_EQ(timer.Wait(stop), 0u); // still raised: no tick comes first
}

TEST(PeriodicTimer, StopEndsAnArmedWaitAtOnce)
{
    PeriodicTimer timer;
    ASSERT_TRUE(timer.Arm(60000));
    StopSignal stop;
    stop.Signal();
    const auto start = Clock::now();
    EXPECT_EQ(timer.Wait(stop), 0u);
    EXPECT_LT(Clock::now() - start, 1s);
}

} // namespace
