#pragma once

#include <cstdint>

// What has come over a link since it was made: enough to tell a silent
// line from a wrong baud rate (bytes, but every frame fails its CRC) and
// from a gimbal that answers but not what was asked.
struct LinkCounters {
    uint64_t m_bytes_received = 0;
    uint64_t m_bytes_dropped = 0;   // lost to a full receive queue
    uint64_t m_frames_rejected = 0; // complete frames whose CRC failed
    uint64_t m_frames_decoded = 0;
};
