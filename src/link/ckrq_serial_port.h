#pragma once

#include "link/serial_event_sink.h"
#include "platform/serial_device.h"
#include "platform/stop_signal.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Name of the reader thread, as system tools show it.
inline constexpr const char* kSerialReaderThreadName = "orvane-reader";

// The serial port to the controller: opens it, runs a reader thread that
// queues every received byte and tells the owner, and closes it.
//
// Locks: m_lock guards opening, closing, writing and every test of whether
// the port is open; m_rx_lock guards the receive queue. Only Open holds
// both, m_rx_lock inside m_lock. The reader thread never takes m_lock.
class CKRQSerialPort {
public:
    CKRQSerialPort() = default;
    virtual ~CKRQSerialPort();
    CKRQSerialPort(const CKRQSerialPort&) = delete;
    CKRQSerialPort& operator=(const CKRQSerialPort&) = delete;

    // Opens `device` at `baud` (a port left open is closed first), empties
    // the receive queue and starts the reader. False when the device cannot
    // be opened or configured; the port is then closed.
    bool Open(const std::string& device, int baud);

    // Ends the reader and closes the device; does nothing for what is closed
    // already. The caller holds m_lock. The receive queue is left as it is.
    void Close();

    // The caller holds m_lock.
    bool IsOpen() const { return m_handle != kInvalidSerialHandle; }

    SerialEventSink* m_owner = nullptr; // set once, under m_lock, before the first Open
    std::mutex m_lock;
    SerialHandle m_handle = kInvalidSerialHandle;
    std::mutex m_rx_lock;
    std::deque<uint8_t> m_rx_queue;
    std::thread m_reader;
    StopSignal m_stop_event;
    // Tail of a frame the driver took only partly, written before anything
    // else so the peer never sees half a frame (guarded by m_lock).
    std::vector<uint8_t> m_tx_remainder;

private:
    void ReaderThread(SerialHandle handle);
    void QueueReceived(const std::vector<uint8_t>& bytes);
};
