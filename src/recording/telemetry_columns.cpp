#include "recording/telemetry_columns.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using State = TelemetryState;

constexpr const char* kAxes[] = {"roll", "pitch", "yaw"};

// A three-value group of the display, with the unit of its values.
struct TripleGroup {
    const char* m_key;
    const char* m_unit;
    double (State::*m_values)[3];
};

constexpr TripleGroup kTriples[] = {
    {"angle", "deg", &State::m_angle}, {"fgyr", "dps", &State::m_fgyr}, {"acce", "g", &State::m_acce},
    {"gyro", "dps", &State::m_gyro},   {"mang", "deg", &State::m_mang}, {"mpwr", "pct", &State::m_mpwr},
};

struct ByteValue {
    const char* m_name;
    uint8_t State::*m_value;
};

constexpr ByteValue kBytes[] = {
    {"gimbal_state", &State::m_gimbal_state},
    {"main_hw_flags", &State::m_main_hw_flags},
    {"mtr0_status", &State::m_mtr0_status},
    {"mtr1_status", &State::m_mtr1_status},
    {"mtr2_status", &State::m_mtr2_status},
    {"sens_status", &State::m_sens_status},
    {"main_version", &State::m_main_version},
    {"mtr0_version", &State::m_mtr0_version},
    {"mtr1_version", &State::m_mtr1_version},
    {"mtr2_version", &State::m_mtr2_version},
    {"sens_version", &State::m_sens_version},
    {"progress_state", &State::m_progress_state},
    {"progress_value_pct", &State::m_progress_value},
    {"c_status", &State::m_c_status},
    {"cal_allowed", &State::m_cal_allowed},
    {"mode_lo", &State::m_mode_lo},
    {"mode_hi", &State::m_mode_hi},
};

struct RealValue {
    const char* m_name;
    double State::*m_value;
};

constexpr RealValue kReals[] = {
    {"temp_value_degc", &State::m_temp_value},
    {"temp_power_pct", &State::m_temp_power},
    {"chan_sens", &State::m_chan_sens},
};

// Integer fields take the nearest value a replayed text stands for.
// An integer read back from a file: rounded, and held within its type, so a
// damaged recording shows 255 rather than wrapping 300 round to 44.
template <class Integer> Integer RoundTo(double value)
{
    using Limits = std::numeric_limits<Integer>;
    return static_cast<Integer>(std::clamp(std::round(value), double(Limits::min()), double(Limits::max())));
}

void AddTriples(std::vector<TelemetryColumn>& columns)
{
    for (const TripleGroup& group : kTriples) {
        for (int axis = 0; axis < 3; ++axis) {
            const auto values = group.m_values;
            columns.push_back({std::string(group.m_key) + "_" + kAxes[axis] + "_" + group.m_unit,
                               [=](const State& s) { return (s.*values)[axis]; },
                               [=](State& s, double v) { (s.*values)[axis] = v; }});
        }
    }
}

void AddScalars(std::vector<TelemetryColumn>& columns)
{
    for (const ByteValue& byte : kBytes) {
        const auto value = byte.m_value;
        columns.push_back({byte.m_name, [=](const State& s) { return double(s.*value); },
                           [=](State& s, double v) { s.*value = RoundTo<uint8_t>(v); }});
    }
    for (const RealValue& real : kReals) {
        const auto value = real.m_value;
        columns.push_back({real.m_name, [=](const State& s) { return s.*value; },
                           [=](State& s, double v) { s.*value = v; }});
    }
}

void AddChannelsAndGrid(std::vector<TelemetryColumn>& columns)
{
    for (int axis = 0; axis < 3; ++axis) {
        columns.push_back({std::string("chan_axis_") + kAxes[axis],
                           [=](const State& s) { return s.m_chan_axis[axis]; },
                           [=](State& s, double v) { s.m_chan_axis[axis] = v; }});
    }
    for (int level = 0; level < 16; ++level) {
        columns.push_back({"chan_level_" + std::to_string(level) + "_pct",
                           [=](const State& s) { return double(s.m_chan_levels[level]); },
                           [=](State& s, double v) { s.m_chan_levels[level] = RoundTo<uint8_t>(v); }});
    }
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            columns.push_back({"grid_" + std::to_string(row) + "_" + std::to_string(column),
                               [=](const State& s) { return double(s.m_grid[row][column]); },
                               [=](State& s, double v) { s.m_grid[row][column] = RoundTo<int16_t>(v); }});
        }
    }
}

std::vector<TelemetryColumn> BuildColumns()
{
    std::vector<TelemetryColumn> columns;
    AddTriples(columns);
    AddScalars(columns);
    AddChannelsAndGrid(columns);
    return columns;
}

} // namespace

const std::vector<TelemetryColumn>& TelemetryColumns()
{
    static const std::vector<TelemetryColumn> kColumns = BuildColumns();
    return kColumns;
}

std::optional<size_t> FindTelemetryColumn(const std::string& name)
{
    const std::vector<TelemetryColumn>& columns = TelemetryColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].m_name == name)
            return i;
    }
    return std::nullopt;
}
