#include "sim/frame_sequence.h"

#include "sim/wire_bytes.h"

bool PageCarriesSequence(uint8_t page)
{
    return page != 18 && page != 33;
}

std::optional<uint32_t> FrameSequence(const ProtocolFrame& frame)
{
    if (!PageCarriesSequence(frame[kFramePageOffset]))
        return std::nullopt;
    return GetU32(frame, kSequenceOffset);
}
