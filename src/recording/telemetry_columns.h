#pragma once

#include "protocol/telemetry_state.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// One live value of the telemetry as a named column: recordings, replay and
// the plots all reach the values through this one table, so a column keeps
// the same name and unit everywhere. The name carries the unit as a suffix
// ("angle_roll_deg"); codes and flags have no unit.
struct TelemetryColumn {
    std::string m_name;
    std::function<double(const TelemetryState&)> m_get;
    std::function<void(TelemetryState&, double)> m_set;
};

// Every value of the telemetry, in recording order.
const std::vector<TelemetryColumn>& TelemetryColumns();

// The position of `name` in TelemetryColumns(), or nothing.
std::optional<size_t> FindTelemetryColumn(const std::string& name);
