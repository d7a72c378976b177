#pragma once

// The Windows serial device behind SerialHandle, shared by the files that
// open, read, write and wait on it.

#include "platform/serial_device.h"
#include "platform/windows_api_win.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// One overlapped write: the kernel reads `m_bytes` and fills `m_overlapped`
// until the write completes, so both live here until then.
struct SerialWriteSlot {
    OVERLAPPED m_overlapped{};
    std::vector<uint8_t> m_bytes;
    uint64_t m_sequence = 0; // when it was started, to find the oldest
    bool m_busy = false;
};

// Writes the driver may hold at once before a writer is told to wait. The
// driver sends them in order, so a sender faster than the line queues up to
// this many frames, as on a port whose writes never time out.
inline constexpr size_t kSerialWriteSlots = 16;

struct SerialDevice {
    HANDLE m_port = INVALID_HANDLE_VALUE;
    // The wait for EV_RXCHAR. A wait that was left (stop, time limit) stays
    // pending and is taken up by the next wait instead of starting another.
    OVERLAPPED m_wait_overlapped{};
    DWORD m_event_mask = 0;
    bool m_wait_pending = false;
    OVERLAPPED m_read_overlapped{};
    std::array<SerialWriteSlot, kSerialWriteSlots> m_writes;
    uint64_t m_writes_started = 0;
};

// The cause of a failed CreateFileW of `name`.
PortOpenResult OpenFailureCause(DWORD error, std::wstring_view name);

enum class SerialDeviceWait {
    kReady,    // bytes wait in the driver
    kTimedOut, // none within the limit
    kStopped,  // the stop event is signalled
    kGone,     // the port failed: nothing will arrive any more
};

// Waits until the driver holds received bytes, `stop` is signalled or
// `limit_ms` (INFINITE for none) has passed.
SerialDeviceWait WaitForInput(SerialDevice& device, HANDLE stop, DWORD limit_ms);

// Waits until a write slot is free, `stop` is signalled or `limit_ms` has
// passed. kGone when a finished write failed.
SerialDeviceWait WaitForWriteSlot(SerialDevice& device, HANDLE stop, DWORD limit_ms);
