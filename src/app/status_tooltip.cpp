#include "app/status_tooltip.h"

#include "app/format_text.h"
#include "app/telemetry_fields.h"
#include "app/telemetry_text.h"
#include "resources/control_ids.h"
#include "resources/message_table.h"

#include <cstdint>
#include <string_view>

namespace {

// Bit n of the main board's fault flags names LED n+1.
constexpr const char* kMainFaultLines[] = {
    "M: CRYS [LED1]\r\n", "M: FMEM [LED2]\r\n", "M: SENS [LED3]\r\n", "M: MTR0 [LED4]\r\n",
    "M: MTR1 [LED5]\r\n", "M: MTR2 [LED6]\r\n", "M: XXXX [LED7]\r\n", "M: XXXX [LED8]\r\n",
};

// A tool with a fixed text, a message id (looked up at set-up) or neither
// (requested on demand).
struct ToolEntry {
    int control;
    std::string_view text;
    int message;
};

constexpr ToolEntry kTools[] = {
    {Id(ControlId::kMainVersion), "", 0},
    {Id(ControlId::kHardwareSummary), "", 0},
    {1159, "IMU", 0},
    {1168, "TAR", 0},
    {1147, "ANGL", 0},
    {1106, "GAIN", 0},
    {1155, "ANGL", 0},
    {1121, "GAIN", 0},
    {1165, "SNR", 0},
    {1167, "BAND", 0},
    {1136, "CTL_BW", 0},
    {1137, "OBS_BW", 0},
    {1146, "DLY_MS", 0},
    {1138, "SPD_SS", 0},
    {1169, "DBD_PX", 0},
    {1170, "TOT_SS", 0},
    {1171, "XXX_XX", 0},
    {1172, "XXX_XX", 0},
    {1173, "XXX_XX", 0},
    {1108, "", Id(MessageId::kRollGainTip)},
    {1109, "", Id(MessageId::kAllGainTip)},
    {1123, "", Id(MessageId::kYawGainTip)},
};

} // namespace

std::string VersionTipText(const TelemetryState& state, bool version_field_shown)
{
    std::string text;
    if (!version_field_shown) {
        return text;
    }
    for (const TelemetryField& field : TelemetryFields()) {
        if (field.tip != TipLine::kVersion) {
            continue;
        }
        const auto version = static_cast<uint8_t>(field.get(state, 0));
        if (version != 0) {
            text += std::string(field.label) + ": " + VersionText(version) + "\r\n";
        }
    }
    return text;
}

std::string HardwareTipText(const TelemetryState& state, bool summary_field_shown)
{
    std::string text;
    if (!summary_field_shown) {
        return text;
    }
    for (size_t bit = 0; bit < std::size(kMainFaultLines); ++bit) {
        if ((state.m_main_hw_flags >> bit) & 1u) {
            text += kMainFaultLines[bit];
        }
    }
    for (const TelemetryField& field : TelemetryFields()) {
        if (field.tip != TipLine::kStatus) {
            continue;
        }
        const int status = static_cast<int>(field.get(state, 0));
        if (status != 0) {
            text += "S: " + std::string(field.label) + FormatText(" [0x%02X]\r\n", status);
        }
    }
    return text;
}

std::vector<ToolTipTool> ToolTipTools()
{
    std::vector<ToolTipTool> tools;
    tools.reserve(std::size(kTools));
    for (const ToolEntry& entry : kTools) {
        const bool requested = entry.text.empty() && entry.message == 0;
        std::string text = entry.message != 0 ? LoadMessage(entry.message) : std::string(entry.text);
        tools.push_back({entry.control, std::move(text), requested});
    }
    return tools;
}
