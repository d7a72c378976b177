#pragma once

#include "platform/serial_open_result.h"
#include "platform/stop_signal.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
// An open serial device on Windows: the port's HANDLE with the overlapped
// state of its waits, reads and writes, owned by the platform layer.
struct SerialDevice;
using SerialHandle = SerialDevice*;
inline constexpr SerialHandle kInvalidSerialHandle = nullptr;
#else
// An open serial device: a file descriptor on POSIX systems.
using SerialHandle = int;
inline constexpr SerialHandle kInvalidSerialHandle = -1;
#endif

// Opens `device` for this process alone, raw 8-N-1 at `baud`, no flow
// control, DTR and RTS asserted, both directions purged, reads that return at
// once with what is there. Returns kInvalidSerialHandle when the device is
// missing, in use, not a terminal, or refuses the configuration or the baud
// rate; nothing stays open then, and `why` (when given) receives the cause
// and the errno of the step that failed.
SerialHandle OpenSerialDevice(const std::string& device, int baud, PortOpenResult* why = nullptr);

// Purges both directions and closes the device.
void CloseSerialDevice(SerialHandle handle);

enum class SerialWait {
    kReadable, // bytes wait (or the device has something to report on read)
    kStopped,  // `stop` was raised
    kGone,     // hang-up or error: nothing will arrive any more
};

// Waits without time limit until the device is readable or `stop` is raised.
SerialWait WaitSerialReadable(SerialHandle handle, const StopSignal& stop);

struct SerialReadResult {
    size_t m_count; // bytes read; 0 when the driver held none
    bool m_alive;   // false when the device is gone (hang-up, I/O error)
};

// One read of at most `capacity` bytes into `buffer`, without waiting.
SerialReadResult ReadSerial(SerialHandle handle, uint8_t* buffer, size_t capacity);

// Appends every byte the driver holds to `bytes`. False when the device is
// gone (hang-up, I/O error); bytes read before that are still appended.
bool ReadSerialAvailable(SerialHandle handle, std::vector<uint8_t>& bytes);

struct SerialWriteResult {
    enum Status {
        kWritten,    // `count` bytes were taken, possibly fewer than offered
        kWouldBlock, // the driver's buffer is full; nothing was taken
        kFailed,     // the device is gone or broken
    };
    Status m_status;
    size_t m_count;
};

// Writes without waiting.
SerialWriteResult WriteSerial(SerialHandle handle, const uint8_t* data, size_t count);
