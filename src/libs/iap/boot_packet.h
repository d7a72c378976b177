#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One packet of the bootloader protocol: sync A7 3C, type, payload length
// (16 bits), payload, CRC-32 of type, length and payload. Multi-byte fields
// are little-endian. README.md beside this file documents the protocol.
struct BootPacket {
    uint8_t m_type = 0;
    std::vector<uint8_t> m_payload;
};

inline constexpr uint8_t kBootSync0 = 0xA7;
inline constexpr uint8_t kBootSync1 = 0x3C;
inline constexpr size_t kBootPacketOverhead = 9; // sync 2, type 1, length 2, CRC 4
inline constexpr size_t kMaxBootPayload = 2048;

std::vector<uint8_t> EncodeBootPacket(uint8_t type, const std::vector<uint8_t>& payload);

// Cuts a byte stream into packets. After a packet that fails its length or
// CRC check the hunt for a sync resumes one byte after the failed one, so
// garbage, a cut packet or an 80-byte frame of the normal protocol costs at
// most the packets it overlaps.
class BootPacketDecoder {
public:
    // Appends the complete packets found so far to `packets`.
    void Feed(const uint8_t* data, size_t count, std::vector<BootPacket>& packets);

    size_t RejectedPackets() const { return m_rejected; }
    void Clear() { m_pending.clear(); }

private:
    // Removes one packet, or garbage before a sync, from the front of
    // m_pending. False when more bytes are needed.
    bool TakeOne(std::vector<BootPacket>& packets);

    std::vector<uint8_t> m_pending;
    size_t m_rejected = 0;
};
