#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/protocol_frame.h"

// Little-endian field access inside a frame, as every multi-byte field of the
// payload is stored.
inline void PutU16(ProtocolFrame& frame, size_t offset, uint16_t value)
{
    frame[offset] = static_cast<uint8_t>(value & 0xFF);
    frame[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(ProtocolFrame& frame, size_t offset, uint32_t value)
{
    PutU16(frame, offset, static_cast<uint16_t>(value & 0xFFFF));
    PutU16(frame, offset + 2, static_cast<uint16_t>(value >> 16));
}

inline uint16_t GetU16(const ProtocolFrame& frame, size_t offset)
{
    return static_cast<uint16_t>(frame[offset] | (frame[offset + 1] << 8));
}

inline uint32_t GetU32(const ProtocolFrame& frame, size_t offset)
{
    return GetU16(frame, offset) | (static_cast<uint32_t>(GetU16(frame, offset + 2)) << 16);
}
