#include "telemetry_report.h"

#include "app/format_text.h"
#include "app/status_tooltip.h"
#include "app/telemetry_text.h"

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
