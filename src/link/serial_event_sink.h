#pragma once

// The values a serial port posts to its owner.
inline constexpr int kSerialBytesQueued = 0; // bytes were added to the receive queue
inline constexpr int kSerialWriteFailed = 1; // a write failed and the port was closed
inline constexpr int kSerialHungUp = 2;      // the device hung up or failed on read; still open

// Whoever owns a serial port: the dialog posts itself an event, the
// command-line tool wakes its loop. PostSerialEvent is called from the
// port's threads while they hold one of the port's locks, so it must only
// queue the news and return; it must not take the port's locks.
class SerialEventSink {
public:
    virtual void PostSerialEvent(int wparam) = 0;

protected:
    ~SerialEventSink() = default;
};
