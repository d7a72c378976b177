#pragma once

#include "json_value.h"
#include "protocol/protocol_frame.h"
#include "protocol/telemetry_state.h"

#include <string>
#include <vector>

// The live values as orvane-cli shows them: the display's formats, the
// gimbal state's message, the version as "V%d.%d", the hardware summary
// "HWOK"/"HWER" with the status tooltip's fault lines.

// One line of text without a line end.
std::string TelemetryLine(const TelemetryState& state);

JsonValue TelemetryJson(const TelemetryState& state);

// The lines of a tooltip text ("...\r\n..."), without their line ends.
std::vector<std::string> TipLines(const std::string& tip_text);
