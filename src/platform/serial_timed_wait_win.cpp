#include "platform/serial_timed_wait.h"

#include "platform/serial_device_win.h"

#include <algorithm>

namespace {

DWORD LimitMs(std::chrono::milliseconds limit)
{
    // INFINITE itself would mean no limit at all.
    return static_cast<DWORD>(std::clamp<long long>(limit.count(), 0, INFINITE - 1));
}

SerialTimedWait FromDeviceWait(SerialDeviceWait wait)
{
    switch (wait) {
    case SerialDeviceWait::kReady:
        return SerialTimedWait::kReady;
    case SerialDeviceWait::kTimedOut:
        return SerialTimedWait::kTimedOut;
    case SerialDeviceWait::kStopped:
        return SerialTimedWait::kStopped;
    case SerialDeviceWait::kGone:
        break;
    }
    return SerialTimedWait::kGone;
}

} // namespace

SerialTimedWait WaitSerialReadableFor(SerialHandle handle, const StopSignal& stop,
                                      std::chrono::milliseconds limit)
{
    return FromDeviceWait(WaitForInput(*handle, stop.Handle(), LimitMs(limit)));
}

SerialTimedWait WaitSerialWritableFor(SerialHandle handle, const StopSignal& stop,
                                      std::chrono::milliseconds limit)
{
    return FromDeviceWait(WaitForWriteSlot(*handle, stop.Handle(), LimitMs(limit)));
}
