#pragma once

#include "link/serial_event_sink.h"
#include "platform/serial_device.h"
#include "platform/serial_open_result.h"
#include "protocol/protocol_frame.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the link runs on: a line to the controller that opens, takes whole
// frames and queues what arrives, telling its owner (a SerialEventSink) of
// queued bytes, a failed write and a hang-up. The serial port
// (CKRQSerialPort) is the one the programs use; a simulated controller in
// the same process is another.
class ByteTransport {
public:
    virtual ~ByteTransport() = default;

    // The one told of news; may be null.
    virtual void SetOwner(SerialEventSink* owner) = 0;

    // Opens the line (a line left open is closed first) and empties the
    // receive queue. False, with the cause in `why` when given, when it
    // cannot be opened.
    virtual bool Open(const std::string& device, int baud, PortOpenResult* why) = 0;
    // Does nothing when closed; the receive queue is left as it is.
    virtual void Close() = 0;
    virtual bool IsOpen() = 0;

    // Sends one frame without waiting; a closed line drops it. The peer only
    // ever sees whole frames. A write that fails closes the line and posts
    // kSerialWriteFailed.
    virtual void Send(const ProtocolFrame& frame) = 0;

    // For an owner that reads on its own thread: queues what has arrived,
    // at most `limit` bytes, without waiting, and posts kSerialBytesQueued.
    // Not alive once the line is gone; the read that finds it so posts
    // kSerialHungUp. A line with a reader of its own reads nothing here.
    virtual SerialReadResult ReadAvailable(size_t limit) = 0;

    // Replaces `bytes` with the oldest queued bytes, at most `limit`, in
    // order; returns how many stay queued.
    virtual size_t TakeQueued(std::vector<uint8_t>& bytes, size_t limit) = 0;
    virtual size_t QueuedByteCount() = 0;

    struct ReceiveCounts {
        uint64_t m_received; // bytes queued since the transport was made
        uint64_t m_dropped;  // of those, bytes dropped because the queue was full
    };
    virtual ReceiveCounts Counts() = 0;
};
