#include "platform/periodic_timer.h"

#include "platform/system_calls_posix.h"

#include <limits>

#include <sys/timerfd.h>
#include <time.h>

namespace {

timespec FromMilliseconds(int ms)
{
    return timespec{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
}

timespec Add(timespec a, timespec b)
{
    timespec sum{a.tv_sec + b.tv_sec, a.tv_nsec + b.tv_nsec};
    if (sum.tv_nsec >= 1000000000L) {
        sum.tv_sec += 1;
        sum.tv_nsec -= 1000000000L;
    }
    return sum;
}

} // namespace

// A timer descriptor takes seconds as a time_t: any count of milliseconds
// an int holds.
int LongestTimerPeriodMs()
{
    return std::numeric_limits<int>::max();
}

// The sender thread creates its timer: a refusal (out of descriptors) must
// not throw there, so it leaves the timer unusable instead.
PeriodicTimer::PeriodicTimer()
{
    const int handle = Posix().timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (handle >= 0)
        m_handle = handle;
}

PeriodicTimer::~PeriodicTimer()
{
    if (IsUsable())
        Posix().close(m_handle);
}

bool PeriodicTimer::Arm(int period_ms)
{
    if (period_ms <= 0 || period_ms > LongestTimerPeriodMs() || !IsUsable()) {
        Disarm();
        return false;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const timespec period = FromMilliseconds(period_ms);
    const itimerspec setting{period, Add(now, period)};
    m_armed = timerfd_settime(m_handle, TFD_TIMER_ABSTIME, &setting, nullptr) == 0;
    if (!m_armed)
        Disarm();
    return m_armed;
}

void PeriodicTimer::Disarm()
{
    m_armed = false;
    if (!IsUsable())
        return;
    const itimerspec off{};
    timerfd_settime(m_handle, 0, &off, nullptr);
}

uint64_t PeriodicTimer::Wait(const StopSignal& stop)
{
    pollfd entries[2] = {{stop.Handle(), POLLIN, 0}, {m_handle, POLLIN, 0}};
    const nfds_t count = m_armed ? 2 : 1;
    for (;;) {
        if (RetryOnInterrupt([&] { return Posix().poll(entries, count, -1); }) < 0)
            return 0;
        if (entries[0].revents != 0)
            return 0;
        uint64_t ticks = 0;
        // EAGAIN here means the tick was taken back by a re-arm: wait again.
        if (RetryOnInterrupt([&] { return Posix().read(m_handle, &ticks, sizeof ticks); }) ==
                static_cast<ssize_t>(sizeof ticks) &&
            ticks > 0)
            return ticks;
    }
}
