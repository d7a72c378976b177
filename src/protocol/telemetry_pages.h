#pragma once

#include "protocol/protocol_frame.h"
#include "protocol/telemetry_state.h"

#include <cstdint>

inline constexpr uint8_t kStatusPage = 33; // live status page A
inline constexpr uint8_t kGridPage = 34;   // live status page B

// Attitude and FGYR, carried by every inbound frame.
void DecodeAttitude(const ProtocolFrame& frame, TelemetryState& telemetry);

// Page 33; the channel-level row only when its row index is below 4.
void DecodeStatusPage(const ProtocolFrame& frame, TelemetryState& telemetry);

// Page 34: the 4 x 4 grid.
void DecodeGridPage(const ProtocolFrame& frame, TelemetryState& telemetry);
