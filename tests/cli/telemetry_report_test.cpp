#include "recording/telemetry_csv.h"
#include "telemetry_report.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TelemetryState SampleState()
{
    TelemetryState state{};
    state.m_angle[2] = 358.56;
    state.m_fgyr[0] = -0.26;
    state.m_mpwr[1] = 42.4;
    state.m_temp_value = 45.5;
    state.m_temp_power = 12;
    state.m_gimbal_state = 1;
    state.m_main_version = 23;
    state.m_mtr0_version = 10;
    return state;
}

TEST(TelemetryReport, TheLineUsesTheDisplayFormats)
{
    const std::string line = TelemetryLine(SampleState());
    EXPECT_EQ(line.rfind("ANGL 0.00 0.00 358.56  FGYR -0.3 0.0 0.0  ", 0), 0u) << line;
    EXPECT_NE(line.find("MPWR 0 42 0  TEMP 45.50  TMAX 12  Gimbal Running  V2.3  HWOK"), std::string::npos)
        << line;
    EXPECT_EQ(line.back(), 'K') << "no fault list while the hardware is fine";
}

TEST(TelemetryReport, FaultsFollowTheHardwareSummaryInTooltipOrder)
{
    TelemetryState state = SampleState();
    state.m_main_hw_flags = 0x81;
    state.m_mtr1_status = 0x0A;
    state.m_gimbal_state = 9;
    const std::string line = TelemetryLine(state);
    EXPECT_NE(line.find("  state 9  V2.3  HWER (M: CRYS [LED1], M: XXXX [LED8], S: MTR1 [0x0A])"),
              std::string::npos)
        << line;
    const std::string json = TelemetryJson(state).Serialise();
    EXPECT_NE(json.find(R"("hardware":"HWER","faults":["M: CRYS [LED1]","M: XXXX [LED8]","S: MTR1 [0x0A]"])"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("versions":["MAIN: V2.3","MTR0: V1.0"])"), std::string::npos) << json;
}

TEST(TelemetryReport, TipLinesSplitAtTheLineEnds)
{
    EXPECT_EQ(TipLines(""), std::vector<std::string>{});
    EXPECT_EQ(TipLines("A\r\nB\r\n"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(TipLines("A\r\nB"), (std::vector<std::string>{"A", "B"}));
}

TEST(TelemetryReport, CsvRowsMatchTheHeaderAndKeepFullPrecision)
{
    ProtocolFrame frame{};
    frame[kFrameCodeOffset] = 135;
    frame[kFramePageOffset] = 33;
    TelemetryState state = SampleState();
    state.m_grid[3][3] = -7;
    const std::string header = TelemetryCsvHeader();
    const std::string row = TelemetryCsvRow(1.25, frame, state);
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), std::count(row.begin(), row.end(), ','));
    EXPECT_EQ(row.rfind("1.250,135,33,0,0,358.56,-0.26,", 0), 0u) << row;
    EXPECT_TRUE(header.ends_with(",grid_3_3\n"));
    EXPECT_TRUE(row.ends_with(",-7\n"));
}

} // namespace
