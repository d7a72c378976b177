#include "link/gimbal_session.h"

#include "protocol/command_table.h"

#include <algorithm>

namespace {

// The window's timer that drives the auto-stop watchdog.
constexpr std::chrono::milliseconds kTimerPeriod{10};

} // namespace

GimbalSession::GimbalSession(int period_ms, bool autostop)
    : m_protocol(*this, *this), m_pump(m_port, *this), m_period_ms(period_ms),
      m_sender(m_port, m_period_ms, [this] { return m_protocol.State().BuildNextFrame(); })
{
    {
        std::lock_guard lock(m_port.m_lock);
        m_port.m_owner = this;
    }
    m_protocol.State().m_autostop = autostop ? 1 : 0;
    m_sender.Start();
}

GimbalSession::~GimbalSession()
{
    m_sender.Stop();
    std::lock_guard lock(m_port.m_lock);
    m_port.Close();
}

bool GimbalSession::StartLink(const std::string& device, int baud)
{
    if (!m_port.Open(device, baud)) {
        return false;
    }
    {
        std::lock_guard events(m_event_lock);
        m_write_failed = false;
    }
    m_link_lost = false;
    m_next_tick = Clock::now() + kTimerPeriod;
    m_protocol.Transactions().OnLinkStarted();
    return true;
}

void GimbalSession::StopLink()
{
    {
        std::lock_guard lock(m_port.m_lock);
        m_port.Close();
    }
    m_protocol.Transactions().OnLinkStopped();
}

bool GimbalSession::PumpUntil(const std::function<bool()>& done, Clock::time_point deadline)
{
    while (!done() && !m_link_lost) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            break;
        }
        if (now >= m_next_tick) {
            // Late ticks merge into one, as the window's timer messages do.
            m_protocol.Transactions().AutoStopTick();
            m_next_tick = std::max(m_next_tick + kTimerPeriod, now);
            continue;
        }
        {
            std::unique_lock events(m_event_lock);
            m_event_ready.wait_until(events, std::min(deadline, m_next_tick),
                                     [this] { return m_bytes_queued || m_write_failed; });
        }
        HandleQueuedEvents();
    }
    return done();
}

void GimbalSession::HandleQueuedEvents()
{
    bool bytes_queued = false;
    bool write_failed = false;
    {
        std::lock_guard events(m_event_lock);
        std::swap(bytes_queued, m_bytes_queued);
        std::swap(write_failed, m_write_failed);
    }
    if (bytes_queued) {
        m_pump.OnSerialEvent(kSerialBytesQueued);
    }
    if (write_failed) {
        m_pump.OnSerialEvent(kSerialWriteFailed);
    }
}

void GimbalSession::PostSerialEvent(int wparam)
{
    {
        std::lock_guard events(m_event_lock);
        (wparam == kSerialBytesQueued ? m_bytes_queued : m_write_failed) = true;
    }
    m_event_ready.notify_one();
}

void GimbalSession::OnTransmitError()
{
    m_link_lost = true;
}

void GimbalSession::OnFrameReceived(const ProtocolFrame& frame)
{
    m_status_page_stored = false;
    if (!m_protocol.Decoder().DecodeFrame(frame)) {
        return;
    }
    if (FindAcknowledgement(frame[kFrameCodeOffset])) {
        ++m_ack_count;
        m_last_ack_code = frame[kFrameCodeOffset];
    }
    if (m_status_page_stored) {
        ++m_status_page_count;
    }
    if (m_observer != nullptr) {
        m_observer->OnFrameDecoded(frame, m_status_page_stored);
    }
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

size_t GimbalSession::QueuedByteCount()
{
    std::lock_guard rx_lock(m_port.m_rx_lock);
    return m_port.m_rx_queue.size();
}

bool GimbalSession::IsPortOpen()
{
    std::lock_guard lock(m_port.m_lock);
    return m_port.IsOpen();
}

bool GimbalSession::Confirm(int)
{
    return m_confirm_answer;
}
