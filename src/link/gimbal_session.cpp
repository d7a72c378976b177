#include "link/gimbal_session.h"

#include "protocol/command_table.h"

#include <algorithm>
#include <utility>

namespace {

// The window's timer that drives the auto-stop watchdog.
constexpr std::chrono::milliseconds kTimerPeriod{10};

} // namespace

GimbalSession::GimbalSession(int period_ms, bool autostop) : m_link(*this, *this, [this] { WakeUp(); })
{
    m_link.SetObserver(this);
    m_link.SetSendPeriod(period_ms);
    m_link.SetAutoStop(autostop);
    m_link.StartSender();
}

bool GimbalSession::StartLink(const std::string& device, int baud, PortOpenResult* why)
{
    const PortOpenResult result = m_link.StartLink(device, baud);
    if (why != nullptr)
        *why = result;
    if (!result.Succeeded())
        return false;
    m_link_lost = false;
    m_next_tick = Clock::now() + kTimerPeriod;
    return true;
}

bool GimbalSession::PumpUntil(const std::function<bool()>& done, Clock::time_point deadline)
{
    while (!done() && !m_link_lost) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
            break;
        if (now >= m_next_tick) {
            // Late ticks merge into one, as the window's timer events do.
            m_link.TimerTick();
            m_next_tick = std::max(m_next_tick + kTimerPeriod, now);
            continue;
        }
        if (WaitForWakeUp(std::min(deadline, m_next_tick)))
            m_link.HandleWakeUp();
    }
    return done();
}

void GimbalSession::WakeUp()
{
    {
        std::lock_guard lock(m_wake_lock);
        m_woken = true;
    }
    m_woken_changed.notify_one();
}

bool GimbalSession::WaitForWakeUp(Clock::time_point until)
{
    std::unique_lock lock(m_wake_lock);
    m_woken_changed.wait_until(lock, until, [this] { return m_woken; });
    return std::exchange(m_woken, false);
}

void GimbalSession::OnFrameDecoded(const ProtocolFrame& frame)
{
    if (FindAcknowledgement(frame[kFrameCodeOffset])) {
        ++m_ack_count;
        m_last_ack_code = frame[kFrameCodeOffset];
    }
    if (m_status_page_stored)
        ++m_status_page_count;
    if (m_observer != nullptr)
        m_observer->OnFrameDecoded(frame, m_status_page_stored);
    m_status_page_stored = false;
}

void GimbalSession::ShowStatus(int message_id, Rgb colour)
{
    m_status_message = message_id;
    m_status_colour = colour;
}

void GimbalSession::ClearStatus()
{
    ShowStatus(0, kBlack);
}

void GimbalSession::RefreshTelemetry(TelemetryRefresh mode)
{
    m_status_page_stored = m_status_page_stored || mode == TelemetryRefresh::kStatusPage;
}
