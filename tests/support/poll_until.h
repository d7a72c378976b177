#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Waits until `done()` holds, looking again every millisecond, for at most
// `limit`; returns `done()`. For conditions that nothing announces (a
// count in another thread's queue), where a test cannot wait on an event.
inline bool PollUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto give_up = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= give_up)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
