#pragma once

// The simulator's controller model as the link's transport, in this
// process and on simulated time: the frames the link sends reach the model
// as bytes, and the model's frames come back as bytes, one per simulated
// period, as the test's clock moves on. Only bytes cross, as on a serial
// line, so the model stays apart from the link's protocol code. Nothing
// runs on a thread of its own and nothing waits; a mutex lets a sender
// thread send while the owner reads. Portable: no pseudo-terminal, no
// process.
#include "link/byte_transport.h"
#include "link/gimbal_session.h"
#include "sim/controller_model.h"
#include "sim/default_params.h"
#include "sim/sim_clock.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

class InProcessGimbal final : public ByteTransport {
public:
    explicit InProcessGimbal(ModelOptions options = {}, SimDuration period = std::chrono::milliseconds(2))
        : m_model(std::move(options), m_clock, DefaultGimbalParams()), m_period(period)
    {
    }

    // Simulated time: the model's and, through InProcessSessionClock, the
    // session's.
    SimDuration Now()
    {
        std::lock_guard lock(m_mutex);
        return m_clock.Now();
    }
    void Advance(SimDuration step)
    {
        std::lock_guard lock(m_mutex);
        m_clock.Advance(step);
    }

    GimbalParams Params()
    {
        std::lock_guard lock(m_mutex);
        return m_model.Params();
    }
    // The far end goes, as an unplugged adapter: the next read finds it,
    // after the bytes sent before.
    void HangUp()
    {
        std::lock_guard lock(m_mutex);
        m_hung_up = true;
    }
    // Writes fail from now on, as on a broken line.
    void FailWrites()
    {
        std::lock_guard lock(m_mutex);
        m_writes_fail = true;
    }
    // Frames the model took from the link.
    uint64_t FramesReceived()
    {
        std::lock_guard lock(m_mutex);
        return m_frames_received;
    }

    void SetOwner(SerialEventSink* owner) override
    {
        std::lock_guard lock(m_mutex);
        m_owner = owner;
    }
    bool Open(const std::string&, int, PortOpenResult* why) override
    {
        std::lock_guard lock(m_mutex);
        m_open = !m_hung_up;
        if (why != nullptr)
            *why = m_open ? PortOpenResult{} : PortOpenResult{PortOpenCause::kMissing, 0};
        m_queue.clear();
        m_line.clear();
        m_next_frame = m_clock.Now() + m_period;
        return m_open;
    }
    void Close() override
    {
        std::lock_guard lock(m_mutex);
        m_open = false;
    }
    bool IsOpen() override
    {
        std::lock_guard lock(m_mutex);
        return m_open;
    }

    void Send(const ProtocolFrame& frame) override
    {
        std::lock_guard lock(m_mutex);
        if (!m_open)
            return;
        if (m_writes_fail) {
            m_open = false;
            Post(kSerialWriteFailed);
            return;
        }
        m_model.Receive(frame.data(), frame.size());
        ++m_frames_received;
    }

    // The model's frames due by now, as the line would have brought them.
    SerialReadResult ReadAvailable(size_t limit) override
    {
        std::lock_guard lock(m_mutex);
        if (!m_open)
            return {0, false};
        for (; m_next_frame <= m_clock.Now(); m_next_frame += m_period) {
            if (const std::optional<ProtocolFrame> frame = m_model.NextFrame())
                m_line.insert(m_line.end(), frame->begin(), frame->end());
        }
        const size_t count = std::min(limit, m_line.size());
        const auto end = m_line.begin() + static_cast<std::ptrdiff_t>(count);
        m_queue.insert(m_queue.end(), m_line.begin(), end);
        m_line.erase(m_line.begin(), end);
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
        std::lock_guard lock(m_mutex);
        const auto end = m_queue.begin() + static_cast<std::ptrdiff_t>(std::min(limit, m_queue.size()));
        bytes.assign(m_queue.begin(), end);
        m_queue.erase(m_queue.begin(), end);
        return m_queue.size();
    }
    size_t QueuedByteCount() override
    {
        std::lock_guard lock(m_mutex);
        return m_queue.size();
    }
    ReceiveCounts Counts() override
    {
        std::lock_guard lock(m_mutex);
        return {m_received, 0};
    }

private:
    // Under m_mutex, as a serial port posts under its locks.
    void Post(int wparam)
    {
        if (m_owner != nullptr)
            m_owner->PostSerialEvent(wparam);
    }

    std::mutex m_mutex;
    ManualClock m_clock;
    ControllerModel m_model;
    const SimDuration m_period;
    SimDuration m_next_frame{0};
    SerialEventSink* m_owner = nullptr;
    bool m_open = false;
    bool m_hung_up = false;
    bool m_hang_up_told = false;
    bool m_writes_fail = false;
    uint64_t m_frames_received = 0;
    std::deque<uint8_t> m_line;  // sent by the model, not yet read
    std::deque<uint8_t> m_queue; // read, not yet taken by the link
    uint64_t m_received = 0;
};

// The session's time taken from the gimbal's simulated clock: a sleep
// jumps straight to its end, so a simulated second takes no second.
class InProcessSessionClock final : public SessionClock {
public:
    explicit InProcessSessionClock(InProcessGimbal& gimbal) : m_gimbal(gimbal) {}

    Clock::time_point Now() override
    {
        return Clock::time_point(std::chrono::duration_cast<Clock::duration>(m_gimbal.Now()));
    }
    void SleepUntil(Clock::time_point when) override
    {
        const Clock::time_point now = Now();
        if (when > now)
            m_gimbal.Advance(when - now);
    }

private:
    InProcessGimbal& m_gimbal;
};
