#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Little-endian fields of the firmware file and the bootloader packets.

inline void AppendU16(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

inline void AppendU32(std::vector<uint8_t>& bytes, uint32_t value)
{
    AppendU16(bytes, static_cast<uint16_t>(value));
    AppendU16(bytes, static_cast<uint16_t>(value >> 16));
}

inline uint16_t ReadU16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline uint32_t ReadU32(const uint8_t* bytes)
{
    return ReadU16(bytes) | (uint32_t{ReadU16(bytes + 2)} << 16);
}
