#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16/XMODEM (polynomial 0x1021, not reflected, no final XOR), continued
// from `start`. With start 0 the check value of "123456789" is 0x31C3.
uint16_t crc16(const uint8_t* data, size_t count, uint16_t start);
