#pragma once

#include "libs/iap/boot_packet.h"
#include "platform/serial_port.h"
#include "platform/stop_signal.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// The upgrade's side of the serial port: raw bytes out, bootloader packets
// in, every wait ended early by the upgrade's stop signal.
class BootChannel {
public:
    using Clock = std::chrono::steady_clock;

    enum class Status {
        kOk, // sent, or a packet received
        kTimedOut,
        kStopped, // the stop signal was raised
        kGone,    // the port failed or hung up
    };

    // Opens `device` at `baud`; nothing (and the cause in `why`) when it
    // cannot be opened.
    static std::unique_ptr<BootChannel> Open(const std::string& device, int baud, const StopSignal& stop,
                                             PortOpenResult& why);
    BootChannel(const BootChannel&) = delete;
    BootChannel& operator=(const BootChannel&) = delete;

    // Writes every byte, waiting while the driver's buffer is full.
    Status Send(const std::vector<uint8_t>& bytes);

    // The next packet received, waiting until `deadline` at most.
    Status Receive(BootPacket& packet, Clock::time_point deadline);

    // Forgets packets and bytes received so far: answers to requests that
    // have been given up on.
    void DiscardReceived();

    uint64_t BytesSent() const { return m_bytes_sent; }

private:
    explicit BootChannel(const StopSignal& stop) : m_stop(stop) {}
    Status ReadMore(Clock::time_point deadline);

    SerialPort m_port;
    const StopSignal& m_stop;
    BootPacketDecoder m_decoder;
    std::deque<BootPacket> m_packets;
    uint64_t m_bytes_sent = 0;
};
