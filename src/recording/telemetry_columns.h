#pragma once

#include "protocol/telemetry_state.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// One live value of the telemetry as a named column, made from the field
// table (app/telemetry_fields.h): recordings and replay reach the values
// through it. The name is the value's name there ("angle_roll_deg").
struct TelemetryColumn {
    std::string m_name;
    std::function<double(const TelemetryState&)> m_get;
    std::function<void(TelemetryState&, double)> m_set;
};

// Every value of the telemetry, in recording order.
const std::vector<TelemetryColumn>& TelemetryColumns();

// The position of `name` in TelemetryColumns(), or nothing.
std::optional<size_t> FindTelemetryColumn(const std::string& name);
