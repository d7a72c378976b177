#include "platform/periodic_timer.h"
#include "platform/stop_signal.h"
#include "platform/system_calls_posix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

int RefusedTimerCreate(int, int)
{
    errno = EMFILE;
    return -1;
}

TEST(PeriodicTimer, ATimerTheSystemRefusesIsUnusableNotAnException)
{
    PosixCalls calls = RealPosixCalls();
    calls.timerfd_create = RefusedTimerCreate;
    ScopedPosixCalls scope(calls);
    PeriodicTimer timer;
    EXPECT_FALSE(timer.IsUsable());
    EXPECT_FALSE(timer.Arm(5));
    EXPECT_FALSE(timer.IsArmed());
    StopSignal stop;
    // Raised before or during the wait: either way no tick, only the stop.
    std::thread stopper([&] { stop.Signal(); });
    EXPECT_EQ(timer.Wait(stop), 0u);
    stopper.join();
}

} // namespace
