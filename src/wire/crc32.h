#pragma once

#include <cstddef>
#include <cstdint>

// CRC-32 as zlib and Ethernet compute it (reflected polynomial 0xEDB88320,
// initial value and final XOR 0xFFFFFFFF). The check value of "123456789" is
// 0xCBF43926. Guards the firmware file's header and every bootloader packet.
uint32_t Crc32(const uint8_t* data, size_t count);
