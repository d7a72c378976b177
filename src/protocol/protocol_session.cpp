#include "protocol/protocol_session.h"

void ProtocolSession::ReceiveBytes(std::span<const uint8_t> bytes)
{
    for (const uint8_t byte : bytes) {
        if (m_synchroniser.FeedSyncByte(byte) && m_gate.IsPortOpen())
            m_decoder.DecodeFrame(m_synchroniser.Frame());
    }
}
