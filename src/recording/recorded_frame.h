#pragma once

#include "protocol/telemetry_state.h"

#include <cstdint>

// One decoded frame of a recording: when it arrived (seconds since the
// recording began), its acknowledgement and page bytes, and the telemetry
// as it stood after decoding it.
struct RecordedFrame {
    double m_seconds = 0;
    uint8_t m_ack = 0;
    uint8_t m_page = 0;
    TelemetryState m_state{};
};
