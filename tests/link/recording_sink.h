#pragma once

#include "link/serial_event_sink.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

// An owner that records what the port posts and lets a test wait for it.
class RecordingSink : public SerialEventSink {
public:
    void PostSerialEvent(int wparam) override
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(wparam);
        m_changed.notify_all();
    }

    // Waits until `count` events of `wparam` were posted; false on time-out.
    bool WaitFor(int wparam, size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return CountLocked(wparam) >= count; });
    }

    size_t Count(int wparam)
    {
        std::lock_guard lock(m_mutex);
        return CountLocked(wparam);
    }

private:
    size_t CountLocked(int wparam) const
    {
        size_t count = 0;
        for (const int event : m_events)
            count += event == wparam ? 1 : 0;
        return count;
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<int> m_events;
};
