#include "sim/pc_frame_reader.h"

#include <algorithm>

namespace {

// Position of the next complete or partial header, or the end.
std::vector<uint8_t>::iterator FindHeader(std::vector<uint8_t>& bytes)
{
    for (auto it = bytes.begin(); it != bytes.end(); ++it) {
        if (*it != kOutboundHeader0)
            continue;
        const auto next = it + 1;
        if (next == bytes.end() || *next == kOutboundHeader1)
            return it;
    }
    return bytes.end();
}

} // namespace

void PcFrameReader::Feed(const uint8_t* data, size_t count, const FrameHandler& on_frame)
{
    m_pending.insert(m_pending.end(), data, data + count);
    for (;;) {
        m_pending.erase(m_pending.begin(), FindHeader(m_pending));
        if (m_pending.size() < kFrameSize)
            return;
        ProtocolFrame frame;
        std::copy_n(m_pending.begin(), kFrameSize, frame.begin());
        if (CheckFrame(frame)) {
            ++m_accepted;
            m_pending.erase(m_pending.begin(), m_pending.begin() + kFrameSize);
            on_frame(frame);
        } else {
            ++m_rejected;
            m_pending.erase(m_pending.begin());
        }
    }
}
