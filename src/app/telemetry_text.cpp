#include "app/telemetry_text.h"

#include "app/format_text.h"
#include "resources/message_table.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace {

constexpr std::string_view kIntegerFormat = "%d";

// One numeric value field: its control, printf format (a real format, or "%d"
// for a whole number) and where its value comes from.
struct NumberField {
    int control;
    const char* format;
    double (*value)(const TelemetryState&);
};

using State = TelemetryState;

constexpr NumberField kAttitudeFields[] = {
    {1021, "%.2f", [](const State& s) { return s.m_angle[0]; }},
    {1022, "%.2f", [](const State& s) { return s.m_angle[1]; }},
    {1026, "%.2f", [](const State& s) { return s.m_angle[2]; }},
    {1055, "%.1f", [](const State& s) { return s.m_fgyr[0]; }},
    {1056, "%.1f", [](const State& s) { return s.m_fgyr[1]; }},
    {1060, "%.1f", [](const State& s) { return s.m_fgyr[2]; }},
};

constexpr NumberField kStatusPageFields[] = {
    {1033, "%.2f", [](const State& s) { return s.m_acce[0]; }},
    {1037, "%.2f", [](const State& s) { return s.m_acce[1]; }},
    {1054, "%.2f", [](const State& s) { return s.m_acce[2]; }},
    {1103, "%.1f", [](const State& s) { return s.m_gyro[0]; }},
    {1104, "%.1f", [](const State& s) { return s.m_gyro[1]; }},
    {1105, "%.1f", [](const State& s) { return s.m_gyro[2]; }},
    {1064, "%.2f", [](const State& s) { return s.m_mang[0]; }},
    {1065, "%.2f", [](const State& s) { return s.m_mang[1]; }},
    {1066, "%.2f", [](const State& s) { return s.m_mang[2]; }},
    {1071, "%.0f", [](const State& s) { return s.m_mpwr[0]; }},
    {1072, "%.0f", [](const State& s) { return s.m_mpwr[1]; }},
    {1075, "%.0f", [](const State& s) { return s.m_mpwr[2]; }},
    {1148, "%.2f", [](const State& s) { return s.m_temp_value; }},
    {1149, "%.0f", [](const State& s) { return s.m_temp_power; }},
    {1150, "%d", [](const State& s) { return static_cast<double>(s.m_mode_lo); }},
    {1181, "%d", [](const State& s) { return static_cast<double>(s.m_mode_hi); }},
    {1182, "%+.1f", [](const State& s) { return s.m_chan_sens; }},
    {1183, "%+.0f", [](const State& s) { return s.m_chan_axis[0]; }},
    {1184, "%+.0f", [](const State& s) { return s.m_chan_axis[1]; }},
    {1185, "%+.0f", [](const State& s) { return s.m_chan_axis[2]; }},
};

// Gimbal states 0 to 3 and the messages that name them.
constexpr int kGimbalStateMessages[] = {133, 134, 135, 136};

constexpr uint8_t kStatusCodeHealthy = 0xFF;

ControlText FieldText(const NumberField& field, const TelemetryState& state)
{
    const double value = field.value(state);
    std::string text = field.format == kIntegerFormat ? FormatText("%d", static_cast<int>(value))
                                                      : FormatText(field.format, value);
    return {field.control, std::move(text), std::nullopt};
}

void AppendFields(std::span<const NumberField> fields, const TelemetryState& state,
                  std::vector<ControlText>& texts)
{
    for (const NumberField& field : fields) {
        texts.push_back(FieldText(field, state));
    }
}

bool AnyHardwareFault(const TelemetryState& state)
{
    return (state.m_main_hw_flags | state.m_mtr0_status | state.m_mtr1_status | state.m_mtr2_status |
            state.m_sens_status) != 0;
}

} // namespace

std::vector<ControlText> AttitudeTexts(const TelemetryState& state)
{
    std::vector<ControlText> texts;
    AppendFields(kAttitudeFields, state, texts);
    return texts;
}

std::string GimbalStateText(uint8_t gimbal_state)
{
    if (gimbal_state >= std::size(kGimbalStateMessages)) {
        return {};
    }
    return LoadMessage(kGimbalStateMessages[gimbal_state]);
}

ControlText HardwareSummary(const TelemetryState& state)
{
    if (AnyHardwareFault(state)) {
        return {kHardwareSummaryControl, "HWER", kRed};
    }
    return {kHardwareSummaryControl, "HWOK", kBlack};
}

std::string VersionText(uint8_t version)
{
    return FormatText("V%d.%d", version / 10, version % 10);
}

LevelBarLook LevelBarFor(const TelemetryState& state)
{
    switch (state.m_progress_state) {
    case 1:
        // The bar is drawn for 0 to 100 per cent; a larger value from the
        // controller shows as full rather than past the bar's end.
        return {std::min<int>(state.m_progress_value, 100), kGreen};
    case 2:
        return {100, kBlue};
    case 3:
        return {100, kRed};
    default:
        return {0, kGreen};
    }
}

std::vector<ControlText> StatusPageTexts(const TelemetryState& state)
{
    std::vector<ControlText> texts;
    texts.reserve(4 + std::size(kStatusPageFields));
    texts.push_back({kGimbalStateControl, GimbalStateText(state.m_gimbal_state), std::nullopt});
    texts.push_back(HardwareSummary(state));
    texts.push_back({kMainVersionControl, VersionText(state.m_main_version), std::nullopt});
    texts.push_back({kStatusCodeControl, FormatText("C[%02X]", state.m_c_status),
                     state.m_c_status == kStatusCodeHealthy ? kBlack : kRed});
    AppendFields(kStatusPageFields, state, texts);
    return texts;
}

GridTexts GridCellTexts(const TelemetryState& state)
{
    GridTexts texts;
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            texts[row][column] = FormatText("%d", state.m_grid[row][column]);
        }
    }
    return texts;
}
