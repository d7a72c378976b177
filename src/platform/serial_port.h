#pragma once

#include "platform/serial_device.h"
#include "platform/serial_open_result.h"
#include "platform/serial_timed_wait.h"
#include "platform/stop_signal.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A serial device opened for one owner: raw 8-N-1 bytes in and out without
// waiting, and waits that the owner's stop signal ends. Every failure says
// its cause: an open that fails returns it, and a device that hangs up or
// fails while it is read or waited on is reported by that read or wait and
// remembered as hung up, so it is not read again until it is reopened.
//
// Threads: Open and Close while no other thread uses the port. While it is
// open, one thread may read and wait while another writes.
class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens `device` at `baud`; a device left open is closed first. On
    // failure the port stays closed and the result names the cause.
    PortOpenResult Open(const std::string& device, int baud);
    // Does nothing when closed.
    void Close();
    bool IsOpen() const { return m_handle != kInvalidSerialHandle; }
    // True once a read or a wait found the device gone (unplugged, hung up,
    // failed); false again after the next Open.
    bool HasHungUp() const { return m_hung_up.load(); }

    // One read of at most `capacity` bytes without waiting. Not alive once
    // the device has hung up: the read that finds it says so, later reads
    // read nothing.
    SerialReadResult Read(uint8_t* buffer, size_t capacity);
    // Appends every byte the driver holds to `bytes`; false once hung up.
    bool ReadAvailable(std::vector<uint8_t>& bytes);
    SerialWriteResult Write(const uint8_t* data, size_t count);

    // Waits until bytes wait, `stop` is raised or the device hangs up.
    SerialWait WaitReadable(const StopSignal& stop);
    SerialTimedWait WaitReadableFor(const StopSignal& stop, std::chrono::milliseconds limit);
    // For a writer whose last write found the driver's buffer full.
    SerialTimedWait WaitWritableFor(const StopSignal& stop, std::chrono::milliseconds limit);

private:
    // Latches a hang-up; returns `alive`.
    bool NoteAlive(bool alive);

    SerialHandle m_handle = kInvalidSerialHandle;
    std::atomic<bool> m_hung_up{false};
};
