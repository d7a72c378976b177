#pragma once

#include "protocol/protocol_frame.h"
#include "protocol/telemetry_state.h"
#include "recording/recorded_frame.h"

#include <istream>
#include <string>
#include <vector>

// The CSV record of decoded frames: one header line of named, unit-bearing
// columns ("time_s,ack,page,angle_roll_deg,..."), then one row per frame.

std::string TelemetryCsvHeader();
std::string TelemetryCsvRow(double seconds, const ProtocolFrame& frame, const TelemetryState& state);

struct RecordingLoad {
    std::vector<RecordedFrame> m_frames;
    std::string m_error; // empty when the recording was read
};

// Columns are found by name, so a recording of an older or newer column set
// replays what both know; a missing column reads as 0. A last line without
// its line end (a recording cut off while it was written) is left out.
RecordingLoad ReadTelemetryCsv(std::istream& in);
RecordingLoad LoadTelemetryCsv(const std::string& path);
