#pragma once

#include "platform/stop_signal.h"

#include <chrono>
#include <cstdint>

// The longest period, in milliseconds, the system's timer takes.
int LongestTimerPeriodMs();

// A periodic wake-up on the monotonic clock. Ticks are counted by the
// system, so ticks missed while the owner was busy merge into one wake-up
// and the schedule never drifts. A timer the system refuses to create is
// unusable: it never arms, and waits end only with the stop signal.
class PeriodicTimer {
public:
    PeriodicTimer();
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // First tick one period from now, then every period. False when the
    // system refuses the timer or the period (not 1..LongestTimerPeriodMs());
    // it is then disarmed.
    bool Arm(int period_ms);
    void Disarm();
    bool IsArmed() const { return m_armed; }
    bool IsUsable() const { return m_handle != kNoWaitHandle; }

    // Waits for the next tick or for `stop`. Returns the number of ticks
    // since the last wait (at least 1), or 0 when `stop` is raised. A
    // disarmed timer never ticks: the wait then ends only with `stop`.
    uint64_t Wait(const StopSignal& stop);

private:
    WaitHandle m_handle = kNoWaitHandle;
    bool m_armed = false;
#ifdef _WIN32
    // The multimedia timer sets an event without counting: the ticks a
    // wake-up stands for follow from the schedule.
    unsigned m_timer_id = 0;
    std::chrono::steady_clock::time_point m_armed_at;
    std::chrono::milliseconds m_period{0};
    uint64_t m_ticks_counted = 0;
#endif
};
