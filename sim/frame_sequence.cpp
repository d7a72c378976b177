#include "sim/frame_sequence.h"

#include "wire/little_endian.h"

bool PageCarriesSequence(uint8_t page)
{
    return page != 18 && page != 33;
}

std::optional<uint32_t> FrameSequence(const ProtocolFrame& frame)
{
    if (!PageCarriesSequence(frame[kFramePageOffset]))
        return std::nullopt;
    return LoadU32(frame.data() + kSequenceOffset);
}
