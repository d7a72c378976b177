#pragma once

#include "link/sender_thread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

// A sender's timer that ticks when the test says so. The test can wait
// until the sender has come back to wait for the next tick, so that it
// knows the tick before has been acted on.
class SteppedTimer : public SendTimer {
public:
    // Makes `count` ticks due at once, then waits until the sender has
    // acted on them and waits again; false on time-out (a disarmed timer
    // never wakes it).
    bool Step(uint64_t count = 1)
    {
        std::unique_lock lock(m_mutex);
        const int waits = m_waits;
        if (m_period_ms > 0)
            m_ticks += count;
        m_changed.notify_all();
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_waits > waits; });
    }

    // Waits until the sender has waited `count` times in all.
    bool WaitForWaits(int count)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_waits >= count; });
    }

    int Waits()
    {
        std::lock_guard lock(m_mutex);
        return m_waits;
    }

    int ArmedPeriod()
    {
        std::lock_guard lock(m_mutex);
        return m_period_ms;
    }

    bool Arm(int period_ms) override
    {
        std::lock_guard lock(m_mutex);
        m_period_ms = m_refuse ? 0 : period_ms;
        return !m_refuse;
    }
    void Disarm() override
    {
        std::lock_guard lock(m_mutex);
        m_period_ms = 0;
        m_ticks = 0;
    }
    // The stop signal is looked at every millisecond: no event of the
    // platform's joins the test's ticks.
    uint64_t Wait(const StopSignal& stop) override
    {
        std::unique_lock lock(m_mutex);
        ++m_waits;
        m_changed.notify_all();
        while (!stop.IsSignalled()) {
            if (m_ticks > 0)
                return std::exchange(m_ticks, 0);
            m_changed.wait_for(lock, std::chrono::milliseconds(1));
        }
        return 0;
    }

    // Makes every Arm fail, as a system that refuses the timer would.
    void RefuseArming()
    {
        std::lock_guard lock(m_mutex);
        m_refuse = true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_period_ms = 0;
    uint64_t m_ticks = 0;
    int m_waits = 0;
    bool m_refuse = false;
};
