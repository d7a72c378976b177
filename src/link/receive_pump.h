#pragma once

#include "link/byte_transport.h"
#include "protocol/frame_synchroniser.h"
#include "protocol/protocol_frame.h"

// What the receive pump reports to the one who runs the link.
class LinkEventHandler {
public:
    // The port was lost (a write failed or the device hung up) and has
    // been closed.
    virtual void OnTransmitError() = 0;
    // A complete frame arrived while the port is open; its CRC is unchecked.
    virtual void OnFrameReceived(const ProtocolFrame& frame) = 0;

protected:
    ~LinkEventHandler() = default;
};

// Bytes decoded per notification: about 200 frames, a few milliseconds at
// most, so that the owner's loop gets back to input, timers and Ctrl-C in
// time however fast the peer sends.
inline constexpr size_t kReceiveSliceBytes = size_t{16} * 1024;

// Answers the port's notifications on the owner's thread: takes a slice of
// the queued bytes, cuts them into frames and hands each complete frame on
// at once, before the next byte is looked at. The synchroniser lives as long
// as the pump, across link restarts.
class ReceivePump {
public:
    ReceivePump(ByteTransport& port, LinkEventHandler& handler) : m_port(port), m_handler(handler) {}

    // True when bytes are left queued: the owner should come back for them
    // after it has looked at its other events.
    bool OnSerialEvent(int wparam);

private:
    ByteTransport& m_port;
    LinkEventHandler& m_handler;
    FrameSynchroniser m_synchroniser;
    std::vector<uint8_t> m_slice; // kept to spare an allocation per slice
};
