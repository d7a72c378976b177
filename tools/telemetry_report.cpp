#include "telemetry_report.h"

#include "app/format_text.h"
#include "app/status_tooltip.h"
#include "app/telemetry_text.h"

#include <functional>

namespace {

using State = TelemetryState;

// A three-value row of the display, with its label and format.
struct TripleRow {
    const char* m_label;
    const char* m_key;
    double (State::*m_values)[3];
    const char* m_format;
};

constexpr TripleRow kTripleRows[] = {
    {"ANGL", "angle", &State::m_angle, "%.2f"}, {"FGYR", "fgyr", &State::m_fgyr, "%.1f"},
    {"ACCE", "acce", &State::m_acce, "%.2f"},   {"GYRO", "gyro", &State::m_gyro, "%.1f"},
    {"MANG", "mang", &State::m_mang, "%.2f"},   {"MPWR", "mpwr", &State::m_mpwr, "%.0f"},
};

struct ByteValue {
    const char* m_key;
    uint8_t State::*m_value;
};

constexpr ByteValue kByteValues[] = {
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
    {"progress_value", &State::m_progress_value},
    {"c_status", &State::m_c_status},
    {"cal_allowed", &State::m_cal_allowed},
    {"mode_lo", &State::m_mode_lo},
    {"mode_hi", &State::m_mode_hi},
};

struct RealValue {
    const char* m_key;
    double State::*m_value;
};

constexpr RealValue kRealValues[] = {
    {"temp_value", &State::m_temp_value},
    {"temp_power", &State::m_temp_power},
    {"chan_sens", &State::m_chan_sens},
};

// Visits every value of the state in CSV column order, with its column name.
void ForEachValue(const State& state, const std::function<void(const std::string&, double)>& visit)
{
    for (const TripleRow& row : kTripleRows) {
        for (int i = 0; i < 3; ++i) {
            visit(std::string(row.m_key) + "_" + std::to_string(i), (state.*row.m_values)[i]);
        }
    }
    for (const ByteValue& value : kByteValues) {
        visit(value.m_key, state.*value.m_value);
    }
    for (const RealValue& value : kRealValues) {
        visit(value.m_key, state.*value.m_value);
    }
    for (int i = 0; i < 3; ++i) {
        visit("chan_axis_" + std::to_string(i), state.m_chan_axis[i]);
    }
    for (int i = 0; i < 16; ++i) {
        visit("chan_level_" + std::to_string(i), state.m_chan_levels[i]);
    }
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            visit("grid_" + std::to_string(row) + "_" + std::to_string(column), state.m_grid[row][column]);
        }
    }
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines) {
        joined += (joined.empty() ? "" : ", ") + line;
    }
    return joined;
}

JsonValue StringArray(const std::vector<std::string>& lines)
{
    JsonValue array = JsonValue::Array{};
    for (const std::string& line : lines) {
        array.Push(line);
    }
    return array;
}

} // namespace

std::vector<std::string> TipLines(const std::string& tip_text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = tip_text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(tip_text.substr(start, end - start));
    }
    if (start < tip_text.size()) {
        lines.push_back(tip_text.substr(start));
    }
    return lines;
}

std::string TelemetryLine(const TelemetryState& state)
{
    std::string line;
    for (const TripleRow& row : kTripleRows) {
        line += row.m_label;
        for (const double value : state.*row.m_values) {
            line += " " + FormatText(row.m_format, value);
        }
        line += "  ";
    }
    line +=
        "TEMP " + FormatText("%.2f", state.m_temp_value) + "  TMAX " + FormatText("%.0f", state.m_temp_power);
    const std::string gimbal_state = GimbalStateText(state.m_gimbal_state);
    line += "  " + (gimbal_state.empty() ? FormatText("state %d", state.m_gimbal_state) : gimbal_state);
    line += "  " + VersionText(state.m_main_version) + "  " + HardwareSummary(state).text;
    const std::string faults = JoinLines(TipLines(HardwareTipText(state, true)));
    return faults.empty() ? line : line + " (" + faults + ")";
}

JsonValue TelemetryJson(const TelemetryState& state)
{
    JsonValue json = JsonValue::MakeObject();
    for (const TripleRow& row : kTripleRows) {
        JsonValue values = JsonValue::Array{};
        for (const double value : state.*row.m_values) {
            values.Push(value);
        }
        json.Add(row.m_key, std::move(values));
    }
    json.Add("temp_value", state.m_temp_value).Add("temp_power", state.m_temp_power);
    json.Add("gimbal_state", int{state.m_gimbal_state})
        .Add("gimbal_state_text", GimbalStateText(state.m_gimbal_state));
    json.Add("version", VersionText(state.m_main_version));
    json.Add("versions", StringArray(TipLines(VersionTipText(state, true))));
    json.Add("hardware", HardwareSummary(state).text);
    json.Add("faults", StringArray(TipLines(HardwareTipText(state, true))));
    json.Add("cal_allowed", int{state.m_cal_allowed});
    return json;
}

std::string TelemetryCsvHeader()
{
    std::string header = "time_s,ack,page";
    ForEachValue(TelemetryState{}, [&header](const std::string& name, double) { header += "," + name; });
    return header + "\n";
}

std::string TelemetryCsvRow(double seconds, const ProtocolFrame& frame, const TelemetryState& state)
{
    std::string row = FormatText("%.3f,%d,%d", seconds, frame[kFrameCodeOffset], frame[kFramePageOffset]);
    ForEachValue(state, [&row](const std::string&, double value) { row += "," + MachineReal(value); });
    return row + "\n";
}
