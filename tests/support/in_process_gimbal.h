#pragma once

// The simulator's controller model as the link's transport, in this
// process: the frames the link sends reach the model as bytes, and the
// model's frames come back as bytes, one per simulated period, as the time
// of the test's clock passes. Nothing runs on another thread and nothing
// waits: the test's clock decides when frames arrive. Only bytes cross, as
// on a serial line, so the model stays apart from the link's protocol code.
#include "link/byte_transport.h"
#include "link/gimbal_session.h"
#include "sim/controller_model.h"
#include "sim/default_params.h"
#include "sim/sim_clock.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <utility>

// The session's time taken from a simulator clock that the session moves
// on: a sleep jumps straight to its end.
class ManualSessionClock final : public SessionClock {
public:
    explicit ManualSessionClock(ManualClock& clock) : m_clock(clock) {}

    Clock::time_point Now() override
    {
        return Clock::time_point(std::chrono::duration_cast<Clock::duration>(m_clock.Now()));
    }
    void SleepUntil(Clock::time_point when) override
    {
        if (when > Now())
            m_clock.Advance(when - Now());
    }

private:
    ManualClock& m_clock;
};

class InProcessGimbal final : public ByteTransport {
public:
    InProcessGimbal(const SimClock& clock, ModelOptions options = {},
                    SimDuration period = std::chrono::milliseconds(2))
        : m_clock(clock), m_model(std::move(options), clock, DefaultGimbalParams()), m_period(period)
    {
    }

    ControllerModel& Model() { return m_model; }
    // The far end goes, as an unplugged adapter: the next read finds it.
    void HangUp() { m_hung_up = true; }
    // Writes fail from now on, as on a broken line.
    void FailWrites() { m_writes_fail = true; }

    void SetOwner(SerialEventSink* owner) override { m_owner = owner; }
    bool Open(const std::string&, int, PortOpenResult* why) override
    {
        const bool opened = !m_hung_up;
        if (why != nullptr)
            *why = opened ? PortOpenResult{} : PortOpenResult{PortOpenCause::kMissing, 0};
        m_open = opened;
        m_queue.clear();
        m_next_frame = m_clock.Now() + m_period;
        return opened;
    }
    void Close() override { m_open = false; }
    bool IsOpen() override { return m_open; }

    void Send(const ProtocolFrame& frame) override
    {
        if (!m_open)
            return;
        if (m_writes_fail) {
            m_open = false;
            Post(kSerialWriteFailed);
            return;
        }
        m_model.Receive(frame.data(), frame.size());
    }

    // The model's frames due by now, as the line would have brought them.
    SerialReadResult ReadAvailable(size_t limit) override
    {
        if (!m_open)
            return {0, false};
        while (m_next_frame <= m_clock.Now()) {
            if (const std::optional<ProtocolFrame> frame = m_model.NextFrame())
                m_line.insert(m_line.end(), frame->begin(), frame->end());
            m_next_frame += m_period;
        }
        const size_t count = std::min(limit, m_line.size());
        m_queue.insert(m_queue.end(), m_line.begin(), m_line.begin() + static_cast<std::ptrdiff_t>(count));
        m_line.erase(m_line.begin(), m_line.begin() + static_cast<std::ptrdiff_t>(count));
        m_received += count;
        if (count > 0)
            Post(kSerialBytesQueued);
        if (m_hung_up && m_line.empty()) {
            if (!std::exchange(m_hang_up_told, true))
                Post(kSerialHungUp);
            return {count, false};
        }
        return {count, true};
    }

    size_t TakeQueued(std::vector<uint8_t>& bytes, size_t limit) override
    {
        const size_t count = std::min(limit, m_queue.size());
        bytes.assign(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(count));
        m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(count));
        return m_queue.size();
    }
    size_t QueuedByteCount() override { return m_queue.size(); }
    ReceiveCounts Counts() override { return {m_received, 0}; }

private:
    void Post(int wparam)
    {
        if (m_owner != nullptr)
            m_owner->PostSerialEvent(wparam);
    }

    const SimClock& m_clock;
    ControllerModel m_model;
    const SimDuration m_period;
    SimDuration m_next_frame{0};
    SerialEventSink* m_owner = nullptr;
    bool m_open = false;
    bool m_hung_up = false;
    bool m_hang_up_told = false;
    bool m_writes_fail = false;
    std::deque<uint8_t> m_line;  // sent by the model, not yet read
    std::deque<uint8_t> m_queue; // read, not yet taken by the link
    uint64_t m_received = 0;
};
