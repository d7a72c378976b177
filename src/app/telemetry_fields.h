#pragma once

#include "protocol/telemetry_state.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Every live value of the telemetry, listed once: its name, unit, place in
// TelemetryState, print format and display controls. The window's texts,
// orvane-cli's line and JSON, the recordings' CSV columns, the plot curves
// and the tooltip's version and status lines all read this table, so a value
// is named, scaled and printed the same everywhere.

// A unit has a symbol for people (plot axes) and a suffix for names (CSV
// columns): "deg/s" is written "dps" in a name, "%" "pct", "degC" "degc".
enum class Unit { kNone, kDegree, kDegreePerSecond, kGravity, kPercent, kDegreeCelsius };

std::string_view UnitSymbol(Unit unit);
std::string_view UnitSuffix(Unit unit);

// When the window writes a field's controls: with every frame, with the live
// status page, or never (only recorded, or shown with a look of its own such
// as the level bar).
enum class TelemetryPage { kNone, kEveryFrame, kStatusPage };

// The tooltip line a field gives: "MAIN: V2.3" for a version, "S: MTR0 [0x0A]"
// for a non-zero board status.
enum class TipLine { kNone, kVersion, kStatus };

// The fields in recording order: the CSV columns follow it.
enum class TelemetryFieldId {
    kAngle,
    kFgyr,
    kAcce,
    kGyro,
    kMang,
    kMpwr,
    kGimbalState,
    kMainHwFlags,
    kMtr0Status,
    kMtr1Status,
    kMtr2Status,
    kSensStatus,
    kMainVersion,
    kMtr0Version,
    kMtr1Version,
    kMtr2Version,
    kSensVersion,
    kProgressState,
    kProgressValue,
    kCStatus,
    kCalAllowed,
    kModeLo,
    kModeHi,
    kTempValue,
    kTempPower,
    kChanSens,
    kChanAxis,
    kChanLevel,
    kGrid,
};

struct TelemetryField {
    TelemetryFieldId id;
    std::string_view key;   // the JSON key; every CSV column of the field starts with it
    std::string_view label; // orvane-cli's line, plot titles, tooltip lines: "ANGL", "MTR0"
    Unit unit;
    const char* format; // printf format of one value; "%d" prints it as a whole number
    size_t count;       // values: 1, 3 (roll, pitch, yaw), 16 (by index) or 4 x 4 (row, column)
    double (*get)(const TelemetryState&, size_t index);
    // An integer value takes the nearest whole number, held within its type,
    // so a damaged recording shows 255 rather than wrapping 300 round to 44.
    void (*set)(TelemetryState&, size_t index, double value);
    std::array<int, 3> controls; // the display control of each value, when the window shows it
    TelemetryPage page;
    bool reported; // in orvane-cli's line and JSON
    TipLine tip;
};

std::span<const TelemetryField> TelemetryFields();
const TelemetryField& TelemetryFieldOf(TelemetryFieldId id);

// The name of value `index` of `field`, as the CSV column and plot curve key:
// the key, the value's own name when the field has several ("roll", "7",
// "1_2") and the unit's suffix, joined with "_": "angle_roll_deg".
std::string ValueName(const TelemetryField& field, size_t index);

// "roll", "pitch" or "yaw" for a three-value field's values.
std::string_view AxisName(size_t index);

// Value `index` as the window prints it.
std::string ValueText(const TelemetryField& field, const TelemetryState& state, size_t index);
