#include "platform/serial_timed_wait.h"

#include "platform/system_calls_posix.h"

#include <algorithm>
#include <climits>

namespace {

SerialTimedWait WaitFor(SerialHandle handle, short events, const StopSignal& stop,
                        std::chrono::milliseconds limit)
{
    pollfd entries[2] = {{stop.Handle(), POLLIN, 0}, {handle, events, 0}};
    const int timeout_ms = static_cast<int>(std::clamp<long long>(limit.count(), 0, INT_MAX));
    const int ready = RetryOnInterrupt([&] { return Posix().poll(entries, 2, timeout_ms); });
    if (ready < 0)
        return SerialTimedWait::kGone;
    if (ready == 0)
        return SerialTimedWait::kTimedOut;
    if (entries[0].revents != 0)
        return SerialTimedWait::kStopped;
    // Data that arrived before a hang-up is still worth reading.
    if ((entries[1].revents & events) != 0)
        return SerialTimedWait::kReady;
    return SerialTimedWait::kGone;
}

} // namespace

SerialTimedWait WaitSerialReadableFor(SerialHandle handle, const StopSignal& stop,
                                      std::chrono::milliseconds limit)
{
    return WaitFor(handle, POLLIN, stop, limit);
}

SerialTimedWait WaitSerialWritableFor(SerialHandle handle, const StopSignal& stop,
                                      std::chrono::milliseconds limit)
{
    return WaitFor(handle, POLLOUT, stop, limit);
}
