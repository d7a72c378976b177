#include "protocol/frame_synchroniser.h"

bool FrameSynchroniser::FeedSyncByte(uint8_t byte)
{
    switch (m_sync_state) {
    case SyncState::kHunting:
        m_sync_frame[0] = byte;
        if (byte == kInboundHeader0)
            m_sync_state = SyncState::kFirstHeaderByte;
        return false;
    case SyncState::kFirstHeaderByte:
        m_sync_frame[1] = byte;
        if (byte == kInboundHeader1) {
            m_sync_pos = 2;
            m_sync_state = SyncState::kCollecting;
        } else if (byte != kInboundHeader0) {
            m_sync_state = SyncState::kHunting;
        }
        // Another first header byte keeps the state: index 0 already holds
        // it, so the last of a run starts the frame.
        return false;
    case SyncState::kCollecting:
        m_sync_frame[m_sync_pos++] = byte;
        if (m_sync_pos < kFrameSize)
            return false;
        m_sync_state = SyncState::kHunting;
        return true;
    }
    return false;
}
