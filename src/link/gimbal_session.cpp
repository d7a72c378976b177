#include "link/gimbal_session.h"

#include "link/ckrq_serial_port.h"
#include "link/sender_thread.h"
#include "protocol/command_table.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace {

// The window's timer that drives the auto-stop watchdog, and the pace at
// which the port is read.
constexpr std::chrono::milliseconds kTimerPeriod{10};

// Bytes read per tick: far more than the fastest line brings in a tick
// (about 9 KB at 921600 baud), so only a flood leaves bytes in the driver,
// where they hold back the sender instead of growing this process.
constexpr size_t kReadPerTick = 4 * kReceiveSliceBytes;

// What a line at 921600 baud, the fastest a controller runs, brings in a
// tick; and how soon a port that brought more is read again.
constexpr size_t kFastestLineBytesPerTick = 922;
constexpr std::chrono::milliseconds kBusyReadPeriod{1};

// The next time a periodic step is due: a step that came late is not made up.
void Advance(GimbalSession::Clock::time_point& due, GimbalSession::Clock::duration period,
             GimbalSession::Clock::time_point now)
{
    due += period;
    if (due <= now)
        due = now + period;
}

} // namespace

SessionClock& SystemSessionClock()
{
    class SteadySessionClock final : public SessionClock {
    public:
        Clock::time_point Now() override { return Clock::now(); }
        void SleepUntil(Clock::time_point when) override { std::this_thread::sleep_until(when); }
    };
    static SteadySessionClock clock;
    return clock;
}

GimbalSession::GimbalSession(int period_ms, bool autostop, std::unique_ptr<ByteTransport> transport,
                             SessionClock& clock)
    : m_period_ms(period_ms), m_clock(clock),
      m_link(
          *this, *this, [this] { m_woken = true; },
          transport ? std::move(transport) : std::make_unique<CKRQSerialPort>(PortReading::kOwnerThread))
{
    m_link.SetObserver(this);
    m_link.SetAutoStop(autostop);
}

bool GimbalSession::StartLink(const std::string& device, int baud, PortOpenResult* why)
{
    const PortOpenResult result = m_link.StartLink(device, baud);
    if (why != nullptr)
        *why = result;
    if (!result.Succeeded())
        return false;
    m_link_lost = false;
    // The first frame goes out one period after the start, as from the
    // window's sender, and the tick that reads comes just before it.
    const Clock::time_point now = m_clock.Now();
    m_next_tick = now + kTimerPeriod;
    m_next_read = m_next_tick;
    m_next_send = IsUsableSendPeriod(m_period_ms) ? now + std::chrono::milliseconds(m_period_ms)
                                                  : Clock::time_point::max();
    return true;
}

bool GimbalSession::PumpUntil(const std::function<bool()>& done, Clock::time_point deadline)
{
    while (!done() && !m_link_lost) {
        const Clock::time_point now = m_clock.Now();
        if (now >= deadline)
            break;
        if (std::exchange(m_woken, false)) {
            m_link.HandleWakeUp(); // a slice left bytes, or a write failed
        } else if (now >= m_next_tick) {
            Advance(m_next_tick, kTimerPeriod, now);
            ReadPort(now);
            m_link.TimerTick();
        } else if (now >= m_next_read) {
            ReadPort(now);
        } else if (now >= m_next_send) {
            m_link.SendNextFrame();
            Advance(m_next_send, std::chrono::milliseconds(m_period_ms), now);
        } else {
            // Ctrl-C only raises a flag: `done()` sees it at the next wake,
            // within a tick.
            m_clock.SleepUntil(std::min({deadline, m_next_tick, m_next_read, m_next_send}));
        }
    }
    return done();
}

void GimbalSession::ReadPort(Clock::time_point now)
{
    const size_t read = m_link.ReceiveAvailable(kReadPerTick).m_count;
    if (std::exchange(m_woken, false))
        m_link.HandleWakeUp();
    // More than the fastest line brings in a tick (a flood, or bytes held
    // back while this process waited for the processor): read again soon, so
    // that answers behind those bytes are not held up by the tick's pace.
    m_next_read = read > kFastestLineBytesPerTick ? now + kBusyReadPeriod : m_next_tick;
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
