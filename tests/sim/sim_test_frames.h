#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "protocol/protocol_frame.h"

// Frames as the PC builds them, and field access on the simulator's answers,
// written from the frame layout alone.

inline ProtocolFrame PcFrame(uint8_t command, uint8_t page,
                             std::initializer_list<std::pair<size_t, uint8_t>> bytes = {})
{
    ProtocolFrame frame{};
    frame[0] = kOutboundHeader0;
    frame[1] = kOutboundHeader1;
    frame[kFrameCodeOffset] = command;
    frame[kFramePageOffset] = page;
    for (const auto& [offset, value] : bytes)
        frame[offset] = value;
    SealFrame(frame);
    return frame;
}

inline int16_t SignedWord(const ProtocolFrame& frame, size_t offset)
{
    return static_cast<int16_t>(frame[offset] | (frame[offset + 1] << 8));
}

inline uint16_t Word(const ProtocolFrame& frame, size_t offset)
{
    return static_cast<uint16_t>(frame[offset] | (frame[offset + 1] << 8));
}
