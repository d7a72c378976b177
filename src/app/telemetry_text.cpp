#include "app/telemetry_text.h"

#include "app/format_text.h"
#include "app/telemetry_fields.h"
#include "resources/control_ids.h"
#include "resources/message_table.h"

#include <algorithm>

namespace {

// Gimbal states 0 to 3 are named by consecutive messages.
constexpr int kGimbalStates = Id(MessageId::kGimbalPaused) - Id(MessageId::kGimbalIdle) + 1;

constexpr uint8_t kStatusCodeHealthy = 0xFF;

// The values of every field the window writes on `page`, in table order.
void AppendPage(TelemetryPage page, const TelemetryState& state, std::vector<ControlText>& texts)
{
    for (const TelemetryField& field : TelemetryFields()) {
        for (size_t index = 0; field.page == page && index < field.count; ++index)
            texts.push_back({field.controls[index], ValueText(field, state, index), std::nullopt});
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
    AppendPage(TelemetryPage::kEveryFrame, state, texts);
    return texts;
}

std::string GimbalStateText(uint8_t gimbal_state)
{
    if (gimbal_state >= kGimbalStates) {
        return {};
    }
    return LoadMessage(Id(MessageId::kGimbalIdle) + gimbal_state);
}

ControlText HardwareSummary(const TelemetryState& state)
{
    if (AnyHardwareFault(state)) {
        return {Id(ControlId::kHardwareSummary), "HWER", kRed};
    }
    return {Id(ControlId::kHardwareSummary), "HWOK", kBlack};
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
    texts.push_back({Id(ControlId::kGimbalState), GimbalStateText(state.m_gimbal_state), std::nullopt});
    texts.push_back(HardwareSummary(state));
    texts.push_back({Id(ControlId::kMainVersion), VersionText(state.m_main_version), std::nullopt});
    texts.push_back({Id(ControlId::kStatusCode),
                     ValueText(TelemetryFieldOf(TelemetryFieldId::kCStatus), state, 0),
                     state.m_c_status == kStatusCodeHealthy ? kBlack : kRed});
    AppendPage(TelemetryPage::kStatusPage, state, texts);
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
