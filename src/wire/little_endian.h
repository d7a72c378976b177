#pragma once

#include <cstdint>
#include <vector>

// Little-endian fields at any (unaligned) byte position. Every multi-byte
// field is stored so: in the 80-byte frames, in the bootloader's packets and
// in the firmware file. The PC and the simulated controller both use these;
// the layouts they fill stay each side's own.

inline uint16_t LoadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline int16_t LoadS16(const uint8_t* p)
{
    return static_cast<int16_t>(LoadU16(p));
}

inline uint32_t LoadU32(const uint8_t* p)
{
    return LoadU16(p) | (uint32_t{LoadU16(p + 2)} << 16);
}

inline int32_t LoadS32(const uint8_t* p)
{
    return static_cast<int32_t>(LoadU32(p));
}

inline void StoreU16(uint8_t* p, uint16_t value)
{
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

inline void StoreU32(uint8_t* p, uint32_t value)
{
    StoreU16(p, static_cast<uint16_t>(value));
    StoreU16(p + 2, static_cast<uint16_t>(value >> 16));
}

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
