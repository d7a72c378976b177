#include "platform/periodic_timer.h"

#include "platform/windows_api_win.h"

#include <algorithm>
#include <limits>

#include <mmsystem.h>

namespace {

// The finest resolution the multimedia timer offers, for wake-ups on time.
constexpr UINT kResolutionMs = 1;

} // namespace

// The multimedia timer tells its own range; one that cannot be asked takes
// no period at all, so nothing arms it.
int LongestTimerPeriodMs()
{
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) != MMSYSERR_NOERROR)
        return 0;
    return static_cast<int>(std::min<UINT>(caps.wPeriodMax, std::numeric_limits<int>::max()));
}

// An auto-reset event: ticks that fall while the owner is busy leave it set
// once, so they merge into one wake-up. A refused event leaves the timer
// unusable rather than throwing on the thread that creates it.
PeriodicTimer::PeriodicTimer() : m_handle(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

PeriodicTimer::~PeriodicTimer()
{
    Disarm();
    if (IsUsable())
        CloseHandle(m_handle);
}

bool PeriodicTimer::Arm(int period_ms)
{
    Disarm();
    if (period_ms <= 0 || period_ms > LongestTimerPeriodMs() || !IsUsable())
        return false;
    m_timer_id =
        timeSetEvent(static_cast<UINT>(period_ms), kResolutionMs, reinterpret_cast<LPTIMECALLBACK>(m_handle),
                     0, TIME_PERIODIC | TIME_CALLBACK_EVENT_SET);
    if (m_timer_id == 0)
        return false;
    m_armed_at = std::chrono::steady_clock::now();
    m_period = std::chrono::milliseconds(period_ms);
    m_ticks_counted = 0;
    m_armed = true;
    return true;
}

void PeriodicTimer::Disarm()
{
    m_armed = false;
    if (m_timer_id != 0)
        timeKillEvent(m_timer_id);
    m_timer_id = 0;
    // A tick of the old schedule must not wake the next wait.
    if (IsUsable())
        ResetEvent(m_handle);
}

uint64_t PeriodicTimer::Wait(const StopSignal& stop)
{
    const HANDLE handles[2] = {stop.Handle(), m_handle};
    const DWORD count = m_armed ? 2 : 1;
    if (WaitForMultipleObjects(count, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
        return 0;
    // A tick that comes a little early still counts as one.
    const auto due = static_cast<uint64_t>((std::chrono::steady_clock::now() - m_armed_at) / m_period);
    const uint64_t ticks = due > m_ticks_counted ? due - m_ticks_counted : 1;
    m_ticks_counted += ticks;
    return ticks;
}
