#pragma once

#include <cstdint>
#include <optional>

#include "protocol/protocol_frame.h"

// Every frame the simulator builds is numbered, so that a reader can count
// the frames it lost. The number is a 32-bit little-endian counter at bytes
// 74..77, which the PC ignores on every page except 18 and 33 (there those
// bytes are parameters or channel levels, and no number is carried).
inline constexpr size_t kSequenceOffset = 74;

bool PageCarriesSequence(uint8_t page);

// The number of a frame sent by the simulator, when its page carries one.
std::optional<uint32_t> FrameSequence(const ProtocolFrame& frame);
