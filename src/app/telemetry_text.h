#pragma once

#include "protocol/rgb.h"
#include "protocol/telemetry_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The texts and colours the telemetry display shows for the live values. The
// dialog puts them into its controls; the command-line tool prints them.

// One static control's text; without a colour it is drawn in the system's
// window-text colour.
struct ControlText {
    int control;
    std::string text;
    std::optional<Rgb> colour;

    friend bool operator==(const ControlText&, const ControlText&) = default;
};

// What the level bar shows: filled to `percent` (0 to 100) in `colour`.
struct LevelBarLook {
    int percent;
    Rgb colour;

    friend bool operator==(const LevelBarLook&, const LevelBarLook&) = default;
};

inline constexpr int kGridSize = 4;
using GridTexts = std::array<std::array<std::string, kGridSize>, kGridSize>;

// The values every frame carries: ANGL then FGYR, left to right.
std::vector<ControlText> AttitudeTexts(const TelemetryState& state);

// Message text of a gimbal state in the current language; "" for an
// unknown state.
std::string GimbalStateText(uint8_t gimbal_state);

// "HWER" in red when any fault flag or board status is set, else "HWOK" in black.
ControlText HardwareSummary(const TelemetryState& state);

// A firmware version byte as "V<major>.<minor>": 23 reads "V2.3".
std::string VersionText(uint8_t version);

LevelBarLook LevelBarFor(const TelemetryState& state);

// The texts of the live status page, in the order the display writes them:
// gimbal state, hardware summary, version, status code, then the value rows.
std::vector<ControlText> StatusPageTexts(const TelemetryState& state);

// The grid page, row by row, each cell as "%d".
GridTexts GridCellTexts(const TelemetryState& state);
