#pragma once

#include "platform/serial_device.h"
#include "platform/stop_signal.h"

#include <chrono>

// Waits with a time limit, for protocols that must notice a silent peer.
enum class SerialTimedWait {
    kReady,    // the device is readable (or writable), or has news on read
    kTimedOut, // nothing within the limit
    kStopped,  // `stop` was raised
    kGone,     // hang-up or error
};

SerialTimedWait WaitSerialReadableFor(SerialHandle handle, const StopSignal& stop,
                                      std::chrono::milliseconds limit);

// For a writer whose last write found the driver's buffer full.
SerialTimedWait WaitSerialWritableFor(SerialHandle handle, const StopSignal& stop,
                                      std::chrono::milliseconds limit);
