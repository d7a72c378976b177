#include "protocol/crc16.h"

uint16_t crc16(const uint8_t* data, size_t count, uint16_t start)
{
    // Remainders of the 16 nibble values, so each byte costs two lookups.
    static constexpr uint16_t kNibbleTable[16] = {
        0x0000, 0x1021, 0x2042, 0x3063, 0x4084, 0x50A5, 0x60C6, 0x70E7,
        0x8108, 0x9129, 0xA14A, 0xB16B, 0xC18C, 0xD1AD, 0xE1CE, 0xF1EF,
    };
    uint16_t crc = start;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t b = data[i];
        const uint16_t t = static_cast<uint16_t>((crc << 4) ^ kNibbleTable[(crc >> 12) ^ (b >> 4)]);
        crc = static_cast<uint16_t>((t << 4) ^ kNibbleTable[(t >> 12) ^ (b & 0x0F)]);
    }
    return crc;
}
