#include "protocol/protocol_frame.h"

#include "protocol/crc16.h"

void SealFrame(ProtocolFrame& frame)
{
    const uint16_t crc = crc16(frame.data(), kFrameCrcOffset, 0);
    frame[kFrameCrcOffset] = static_cast<uint8_t>(crc >> 8);
    frame[kFrameCrcOffset + 1] = static_cast<uint8_t>(crc & 0xFF);
}

bool CheckFrame(const ProtocolFrame& frame)
{
    // With the CRC appended high byte first and no final XOR, a correct frame
    // leaves a remainder of 0.
    return crc16(frame.data(), frame.size(), 0) == 0;
}
