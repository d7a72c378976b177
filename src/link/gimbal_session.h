#pragma once

#include "link/gimbal_link.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The session's time: the monotonic clock and real sleeps in the program;
// a test's clock jumps to the end of a sleep.
class SessionClock {
public:
    using Clock = std::chrono::steady_clock;
    virtual Clock::time_point Now() = 0;
    virtual void SleepUntil(Clock::time_point when) = 0;

protected:
    ~SessionClock() = default;
};

SessionClock& SystemSessionClock();

// Told of every frame the session decoded, on the thread that pumps it.
class SessionObserver {
public:
    // `status_page_stored`: the frame's live status page went into the
    // telemetry (a page-33 echo acted on).
    virtual void OnFrameDecoded(const ProtocolFrame& frame, bool status_page_stored) = 0;

protected:
    ~SessionObserver() = default;
};

// One link to the gimbal without a window, for the command-line tool. The
// thread that calls PumpUntil plays all three of the window's threads: on
// each 10 ms tick it reads what arrived, decodes it and runs the auto-stop
// timer, and once per send period it sends the next frame. Nothing happens
// outside PumpUntil, and no other thread runs: one wake-up per tick is all a
// frame costs.
class GimbalSession : private ProtocolView, private ConfirmQuestion, private LinkObserver {
public:
    using Clock = std::chrono::steady_clock;

    // `period_ms` is the send period; `autostop` the window's auto-stop
    // setting. The session runs on `transport` (null: a serial port it
    // reads itself) in the time of `clock`.
    GimbalSession(int period_ms, bool autostop, std::unique_ptr<ByteTransport> transport = nullptr,
                  SessionClock& clock = SystemSessionClock());
    ~GimbalSession() override = default;
    GimbalSession(const GimbalSession&) = delete;
    GimbalSession& operator=(const GimbalSession&) = delete;

    // "Start Debug": opens the port, then starts the connection with an
    // optional stop command and a parameter download. False when the port
    // cannot be opened; `why` (when given) then says why.
    bool StartLink(const std::string& device, int baud, PortOpenResult* why = nullptr);

    // "Stop Debug": closes the port and clears the requests.
    void StopLink() { m_link.StopLink(); }

    // The session clock's time, for deadlines.
    Clock::time_point Now() { return m_clock.Now(); }

    // Runs the link until `done()` holds, `deadline` passes or the link is
    // lost. Returns `done()`.
    bool PumpUntil(const std::function<bool()>& done, Clock::time_point deadline);

    // True once the port was lost (a write failed or the device hung up)
    // and closed; LossCause says which.
    bool IsLinkLost() const { return m_link_lost; }
    LinkLoss LossCause() const { return m_link.LossCause(); }

    // What commands answer to their confirmation question.
    void SetConfirmAnswer(bool yes) { m_confirm_answer = yes; }
    void SetObserver(SessionObserver* observer) { m_observer = observer; }

    TransactionState& State() { return m_link.State(); }
    const TelemetryState& Telemetry() const { return m_link.Telemetry(); }
    CommandTransactions& Transactions() { return m_link.Transactions(); }

    // The message last shown in the status line (0 when cleared) and its colour.
    int StatusMessage() const { return m_status_message; }
    Rgb StatusColour() const { return m_status_colour; }

    // Acknowledgements decoded since the session began, and the last code.
    uint64_t AckCount() const { return m_ack_count; }
    uint8_t LastAckCode() const { return m_last_ack_code; }

    // Live status pages stored since the session began.
    uint64_t StatusPageCount() const { return m_status_page_count; }

    // Bytes the port's reader has queued that the pump has not taken yet.
    size_t QueuedByteCount() { return m_link.QueuedByteCount(); }
    LinkCounters Counters() { return m_link.Counters(); }

private:
    // The reader's step, done with each tick of the window's timer before
    // the frame of the same tick goes out: queues and decodes what arrived.
    void ReadPort(Clock::time_point now);

    // ProtocolView: the session keeps what the window would show.
    void ShowStatus(int message_id, Rgb colour) override;
    void ClearStatus() override;
    void RefreshTelemetry(TelemetryRefresh mode) override;
    void OnDownloadFinished(const GimbalParams&) override {}
    void EnableTransferButtons(bool) override {}
    // ConfirmQuestion
    bool Confirm(int) override { return m_confirm_answer; }
    // LinkObserver
    void OnFrameDecoded(const ProtocolFrame& frame) override;
    void OnLinkLost() override { m_link_lost = true; }

    // Raised by the link, on this thread, when bytes wait for decoding (also
    // when a slice left some) or a write failed.
    bool m_woken = false;

    const int m_period_ms;
    SessionClock& m_clock;
    Clock::time_point m_next_tick;
    Clock::time_point m_next_read; // the next tick's, unless the port is busy
    Clock::time_point m_next_send;
    bool m_link_lost = false;
    bool m_confirm_answer = false;
    bool m_status_page_stored = false;
    SessionObserver* m_observer = nullptr;
    int m_status_message = 0;
    Rgb m_status_colour{};
    uint64_t m_ack_count = 0;
    uint8_t m_last_ack_code = 0;
    uint64_t m_status_page_count = 0;

    GimbalLink m_link;
};
