#pragma once

#include "link/byte_transport.h"
#include "link/receive_queue.h"
#include "link/serial_event_sink.h"
#include "link/serial_reader_thread.h"
#include "platform/serial_port.h"

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

// Received bytes kept for the pump: over five seconds at 921600 baud, the
// fastest line a controller runs, so only a flood loses bytes.
inline constexpr size_t kReceiveQueueCapacity = size_t{512} * 1024;

// Who reads the device. The window gives the port a reader thread of its
// own, which queues bytes the moment they arrive. The command-line tool reads
// on its own thread once per timer tick (ReadAvailable): a frame then costs
// one thread wake-up instead of three.
enum class PortReading { kReaderThread, kOwnerThread };

// Proof that the caller holds a port's m_lock, from CKRQSerialPort::Lock.
using PortLock = std::unique_lock<std::mutex>;

// The serial port to the controller: opens it, queues every received byte
// and tells the owner, and closes it. The device itself is a SerialPort;
// with PortReading::kReaderThread a SerialReaderThread reads it, otherwise
// the owner does through ReadAvailable. The owner hears of queued bytes,
// of a failed write (the port is then closed) and of a hang-up seen while
// reading (the port stays open until the owner closes it).
//
// Locks: m_lock guards opening, closing, writing, the owner's reads and
// every test of whether the port is open; m_rx_lock guards the receive
// queue. Only Open, SetOwner and the owner's reads hold both, m_rx_lock
// inside m_lock. The reader thread never takes m_lock. Methods without a
// PortLock take the lock they need themselves; those with one are for a
// caller that already holds m_lock.
class CKRQSerialPort : public ByteTransport, private SerialReceiver {
public:
    explicit CKRQSerialPort(PortReading reading = PortReading::kReaderThread) : m_reading(reading) {}
    ~CKRQSerialPort() override;
    CKRQSerialPort(const CKRQSerialPort&) = delete;
    CKRQSerialPort& operator=(const CKRQSerialPort&) = delete;

    // The one told of queued bytes, failed writes and hang-ups; may be null.
    void SetOwner(SerialEventSink* owner) override;

    // Opens `device` at `baud` (a port left open is closed first), empties
    // the receive queue and starts the reader. False when the device cannot
    // be opened or configured; the port is then closed and `why` (when
    // given) says why. A port read by its owner starts no reader.
    bool Open(const std::string& device, int baud, PortOpenResult* why = nullptr) override;

    // Ends the reader and closes the device; does nothing for what is closed
    // already. The receive queue is left as it is.
    void Close() override;
    void Close(const PortLock& lock);

    bool IsOpen() override;
    bool IsOpen(const PortLock& lock) const;

    // SendFrame on this port.
    void Send(const ProtocolFrame& frame) override;

    // Whether a reader thread object is held (it may have ended by itself).
    bool HasReader();

    // For a port read by its owner: moves what the driver holds, at most
    // `limit` bytes, into the queue without waiting and tells the owner.
    // Not alive once the device is gone; the read that finds it so posts
    // kSerialHungUp. A port with a reader thread is not read here: it
    // reads nothing and answers whether it is still alive.
    SerialReadResult ReadAvailable(size_t limit) override;

    // Takes m_lock for a sequence of steps that must not interleave with
    // opening, closing or another write.
    PortLock Lock() { return PortLock(m_lock); }

    // Writes without waiting; the port must be open.
    SerialWriteResult Write(const PortLock& lock, const uint8_t* data, size_t count);
    // Tail of a frame the driver took only partly, written before anything
    // else so the peer never sees half a frame. Emptied by Close.
    std::vector<uint8_t>& PendingTail(const PortLock& lock);
    // After a write failed: closes the port and tells the owner.
    void CloseAfterWriteFailure(const PortLock& lock);

    // Appends received bytes (the oldest give way beyond
    // kReceiveQueueCapacity) and tells the owner; the reader's step, also
    // used to stage bytes in tests.
    void QueueReceived(std::span<const uint8_t> bytes);
    // Replaces `bytes` with the oldest queued bytes, at most `limit`, in
    // order; returns how many stay queued.
    size_t TakeQueued(std::vector<uint8_t>& bytes, size_t limit) override;
    size_t QueuedByteCount() override;
    ReceiveCounts Counts() override;

private:
    // SerialReceiver, on the reader thread.
    void OnBytesRead(std::span<const uint8_t> bytes) override { QueueReceived(bytes); }
    void OnReadingEnded() override;

    void Post(int wparam);
    void CheckHeld(const PortLock& lock) const;

    const PortReading m_reading;
    SerialEventSink* m_owner = nullptr; // written under both locks, read under either
    std::mutex m_lock;
    SerialPort m_device;
    SerialReaderThread m_reader{*this};
    std::vector<uint8_t> m_tx_remainder;
    std::mutex m_rx_lock;
    ReceiveQueue m_rx_queue{kReceiveQueueCapacity};
};
