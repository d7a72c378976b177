#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Every frame on the link, in both directions, is exactly 80 bytes.
inline constexpr size_t kFrameSize = 80;
using ProtocolFrame = std::array<uint8_t, kFrameSize>;

// Byte offsets shared by both directions.
inline constexpr size_t kFrameCodeOffset = 2;     // command (out) or acknowledgement (in)
inline constexpr size_t kFrameAttitudeOffset = 3; // 18 bytes, inbound only
inline constexpr size_t kFramePageOffset = 21;    // page selector (out) or echo (in)
inline constexpr size_t kFramePayloadOffset = 22; // 56 bytes of page payload
inline constexpr size_t kFramePayloadSize = 56;
inline constexpr size_t kFrameCrcOffset = 78; // CRC high byte, then low byte

inline constexpr uint8_t kOutboundHeader0 = 0xC6;
inline constexpr uint8_t kOutboundHeader1 = 0x9B;
inline constexpr uint8_t kInboundHeader0 = 0x6C;
inline constexpr uint8_t kInboundHeader1 = 0xB9;

// Stores the CRC of bytes 0..77 at 78 (high) and 79 (low).
void SealFrame(ProtocolFrame& frame);

// True when the CRC over all 80 bytes, the stored CRC included, is 0.
bool CheckFrame(const ProtocolFrame& frame);
