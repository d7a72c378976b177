#include "app/status_tooltip.h"

#include "app/format_text.h"
#include "app/telemetry_text.h"
#include "resources/message_table.h"

#include <cstdint>
#include <string_view>

namespace {

struct VersionLine {
    const char* format;
    uint8_t TelemetryState::*version;
};

constexpr VersionLine kVersionLines[] = {
    {"MAIN: V%d.%d\r\n", &TelemetryState::m_main_version},
    {"MTR0: V%d.%d\r\n", &TelemetryState::m_mtr0_version},
    {"MTR1: V%d.%d\r\n", &TelemetryState::m_mtr1_version},
    {"MTR2: V%d.%d\r\n", &TelemetryState::m_mtr2_version},
    {"SENS: V%d.%d\r\n", &TelemetryState::m_sens_version},
};

// Bit n of the main board's fault flags names LED n+1.
constexpr const char* kMainFaultLines[] = {
    "M: CRYS [LED1]\r\n", "M: FMEM [LED2]\r\n", "M: SENS [LED3]\r\n", "M: MTR0 [LED4]\r\n",
    "M: MTR1 [LED5]\r\n", "M: MTR2 [LED6]\r\n", "M: XXXX [LED7]\r\n", "M: XXXX [LED8]\r\n",
};

struct StatusLine {
    const char* format;
    uint8_t TelemetryState::*status;
};

constexpr StatusLine kStatusLines[] = {
    {"S: MTR0 [0x%02X]\r\n", &TelemetryState::m_mtr0_status},
    {"S: MTR1 [0x%02X]\r\n", &TelemetryState::m_mtr1_status},
    {"S: MTR2 [0x%02X]\r\n", &TelemetryState::m_mtr2_status},
    {"S: SENS [0x%02X]\r\n", &TelemetryState::m_sens_status},
};

// A tool with a fixed text, a message id (looked up at set-up) or neither
// (requested on demand).
struct ToolEntry {
    int control;
    std::string_view text;
    int message;
};

constexpr ToolEntry kTools[] = {
    {kMainVersionControl, "", 0},
    {kHardwareSummaryControl, "", 0},
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
    {1108, "", 222},
    {1109, "", 223},
    {1123, "", 224},
};

} // namespace

std::string VersionTipText(const TelemetryState& state, bool version_field_shown)
{
    std::string text;
    if (!version_field_shown) {
        return text;
    }
    for (const VersionLine& line : kVersionLines) {
        const uint8_t version = state.*line.version;
        if (version != 0) {
            text += FormatText(line.format, version / 10, version % 10);
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
    for (const StatusLine& line : kStatusLines) {
        const uint8_t status = state.*line.status;
        if (status != 0) {
            text += FormatText(line.format, status);
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
