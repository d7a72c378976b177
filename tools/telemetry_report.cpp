#include "telemetry_report.h"

#include "app/format_text.h"
#include "app/status_tooltip.h"
#include "app/telemetry_fields.h"
#include "app/telemetry_text.h"

namespace {

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
    for (const TelemetryField& field : TelemetryFields()) {
        if (!field.reported)
            continue;
        line += (line.empty() ? "" : "  ") + std::string(field.label);
        for (size_t index = 0; index < field.count; ++index)
            line += " " + ValueText(field, state, index);
    }
    const std::string gimbal_state = GimbalStateText(state.m_gimbal_state);
    line += "  " + (gimbal_state.empty() ? FormatText("state %d", state.m_gimbal_state) : gimbal_state);
    line += "  " + VersionText(state.m_main_version) + "  " + HardwareSummary(state).text;
    const std::string faults = JoinLines(TipLines(HardwareTipText(state, true)));
    return faults.empty() ? line : line + " (" + faults + ")";
}

JsonValue TelemetryJson(const TelemetryState& state)
{
    JsonValue json = JsonValue::MakeObject();
    for (const TelemetryField& field : TelemetryFields()) {
        if (!field.reported)
            continue;
        JsonValue values = JsonValue::Array{};
        for (size_t index = 0; index < field.count; ++index)
            values.Push(field.get(state, index));
        json.Add(std::string(field.key),
                 field.count == 1 ? JsonValue(field.get(state, 0)) : std::move(values));
    }
    json.Add("gimbal_state", int{state.m_gimbal_state})
        .Add("gimbal_state_text", GimbalStateText(state.m_gimbal_state));
    json.Add("version", VersionText(state.m_main_version));
    json.Add("versions", StringArray(TipLines(VersionTipText(state, true))));
    json.Add("hardware", HardwareSummary(state).text);
    json.Add("faults", StringArray(TipLines(HardwareTipText(state, true))));
    json.Add("cal_allowed", int{state.m_cal_allowed});
    return json;
}
