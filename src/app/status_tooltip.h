#pragma once

#include "protocol/telemetry_state.h"

#include <string>
#include <vector>

// Texts of the dialog's tooltip: the two status fields of the status row,
// rebuilt from the live values on every request, and the fixed short names of
// the small tuning fields. Every tip line ends with "\r\n".

// Firmware versions of the boards that report one, one line each. Empty while
// the version field shows no text (no telemetry yet, or cleared).
std::string VersionTipText(const TelemetryState& state, bool version_field_shown);

// One line per fault flag of the main board, then one per non-zero board
// status byte. Empty while the hardware summary field shows no text.
std::string HardwareTipText(const TelemetryState& state, bool summary_field_shown);

// A control the tooltip explains. `requested` tools carry no fixed text: their
// text is rebuilt on each request (the two functions above).
struct ToolTipTool {
    int control;
    std::string text;
    bool requested;

    friend bool operator==(const ToolTipTool&, const ToolTipTool&) = default;
};

// The tools in the order they are registered; message texts in the current
// UI language.
std::vector<ToolTipTool> ToolTipTools();
