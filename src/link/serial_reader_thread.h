#pragma once

#include "platform/serial_port.h"
#include "platform/stop_signal.h"

#include <cstdint>
#include <span>
#include <thread>

// Name of the reader thread, as system tools show it.
inline constexpr const char* kSerialReaderThreadName = "orvane-reader";

// Told, on the reader thread, what a SerialReaderThread read.
class SerialReceiver {
public:
    // One burst of received bytes, in order.
    virtual void OnBytesRead(std::span<const uint8_t> bytes) = 0;
    // The device hung up or failed, or the reader itself failed: nothing
    // more will be read. Told once, as the reader's last word.
    virtual void OnReadingEnded() = 0;

protected:
    ~SerialReceiver() = default;
};

// Reads an open port on a thread of its own, so that bytes are handed on
// the moment they arrive: one wait and one read per burst.
class SerialReaderThread {
public:
    explicit SerialReaderThread(SerialReceiver& receiver) : m_receiver(receiver) {}
    ~SerialReaderThread() { Stop(); }
    SerialReaderThread(const SerialReaderThread&) = delete;
    SerialReaderThread& operator=(const SerialReaderThread&) = delete;

    // Starts reading `port`, which must stay open until Stop returns.
    // Throws std::system_error when no thread can be made.
    void Start(SerialPort& port);
    // Returns once the thread has ended; does nothing when none was started.
    void Stop();
    // Whether a thread was started and not stopped (it may have ended by
    // itself after OnReadingEnded).
    bool IsStarted() const { return m_thread.joinable(); }

private:
    void Run(SerialPort& port);
    bool ReadUntilStopped(SerialPort& port);

    SerialReceiver& m_receiver;
    StopSignal m_stop;
    std::thread m_thread;
};
