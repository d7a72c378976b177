#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "protocol/protocol_frame.h"

// Cuts the byte stream the PC writes into frames: hunts the header C6 9B,
// collects 80 bytes and passes on the frames whose CRC holds. After a frame
// that fails, the hunt resumes one byte after its header, so a header that
// was really payload or noise costs no following frame.
class PcFrameReader {
public:
    using FrameHandler = std::function<void(const ProtocolFrame&)>;

    void Feed(const uint8_t* data, size_t count, const FrameHandler& on_frame);

    size_t AcceptedFrames() const { return m_accepted; }
    size_t RejectedFrames() const { return m_rejected; }

private:
    std::vector<uint8_t> m_pending;
    size_t m_accepted = 0;
    size_t m_rejected = 0;
};
