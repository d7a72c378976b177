#include "protocol/crc16.h"

#include <array>

namespace {

// Remainders of the 16 nibble values.
constexpr uint16_t kNibbleTable[16] = {
    0x0000, 0x1021, 0x2042, 0x3063, 0x4084, 0x50A5, 0x60C6, 0x70E7,
    0x8108, 0x9129, 0xA14A, 0xB16B, 0xC18C, 0xD1AD, 0xE1CE, 0xF1EF,
};

// One nibble step: shifts four bits of `nibble` through the running CRC.
constexpr uint16_t NibbleStep(uint16_t crc, unsigned nibble)
{
    return static_cast<uint16_t>((crc << 4) ^ kNibbleTable[(crc >> 12) ^ nibble]);
}

// Remainders of the 256 byte values, built at compile time from the nibble
// table, so each byte costs one lookup: the receive path checks every frame,
// and the two dependent lookups per byte were most of its time.
constexpr auto kByteTable = [] {
    std::array<uint16_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b)
        table[b] = NibbleStep(NibbleStep(0, b >> 4), b & 0x0F);
    return table;
}();

} // namespace

uint16_t crc16(const uint8_t* data, size_t count, uint16_t start)
{
    uint16_t crc = start;
    for (size_t i = 0; i < count; ++i)
        crc = static_cast<uint16_t>((crc << 8) ^ kByteTable[(crc >> 8) ^ data[i]]);
    return crc;
}
