#pragma once

#include "protocol/protocol_frame.h"

#include <cstddef>
#include <cstdint>

// Cuts the inbound byte stream into 80-byte frames at the header 0x6C 0xB9.
// While a frame is being collected no byte is looked at as a header, so a
// header pair inside a payload is data. The CRC is not checked here. The
// state carries over between bursts and across link restarts: a frame cut
// short is completed by the next bytes and then fails its CRC.
class FrameSynchroniser {
public:
    // One step; true when this byte completed a frame, which Frame() then
    // holds until the next byte is fed.
    bool FeedSyncByte(uint8_t byte);

    const ProtocolFrame& Frame() const { return m_sync_frame; }

private:
    enum class SyncState : uint8_t { kHunting, kFirstHeaderByte, kCollecting };

    SyncState m_sync_state = SyncState::kHunting;
    size_t m_sync_pos = 0;
    ProtocolFrame m_sync_frame{};
};
