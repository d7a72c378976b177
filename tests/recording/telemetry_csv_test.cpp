#include "recording/telemetry_columns.h"
#include "recording/telemetry_csv.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>

namespace {

// Every field different and in the precision the gimbal sends it.
TelemetryState DistinctState()
{
    TelemetryState state{};
    const std::vector<TelemetryColumn>& columns = TelemetryColumns();
    for (size_t i = 0; i < columns.size(); ++i)
        columns[i].m_set(state, double(i % 200) + (i % 2 == 0 ? 0 : 0.25) - 40);
    return state;
}

ProtocolFrame FrameWith(uint8_t ack, uint8_t page)
{
    ProtocolFrame frame{};
    frame[kFrameCodeOffset] = ack;
    frame[kFramePageOffset] = page;
    return frame;
}

RecordingLoad Read(const std::string& text)
{
    std::istringstream in(text);
    return ReadTelemetryCsv(in);
}

TEST(TelemetryCsv, HeaderNamesEveryValueOnceWithItsUnit)
{
    const std::string header = TelemetryCsvHeader();
    ASSERT_EQ(header.rfind("time_s,ack,page,angle_roll_deg,angle_pitch_deg,angle_yaw_deg,fgyr_roll_dps,", 0),
              0u)
        << header;
    std::set<std::string> names;
    for (const TelemetryColumn& column : TelemetryColumns())
        EXPECT_TRUE(names.insert(column.m_name).second) << column.m_name;
    for (const char* name :
         {"acce_yaw_g", "mpwr_roll_pct", "temp_value_degc", "chan_level_15_pct", "grid_3_3"})
        EXPECT_TRUE(names.contains(name)) << name;
}

TEST(TelemetryCsv, TheHeaderStaysAsStoredRecordingsAndScriptsKnowIt)
{
    EXPECT_EQ(
        TelemetryCsvHeader(),
        "time_s,ack,page,angle_roll_deg,angle_pitch_deg,angle_yaw_deg,fgyr_roll_dps,fgyr_pitch_dps,"
        "fgyr_yaw_dps,acce_roll_g,acce_pitch_g,acce_yaw_g,gyro_roll_dps,gyro_pitch_dps,gyro_yaw_dps,"
        "mang_roll_deg,mang_pitch_deg,mang_yaw_deg,mpwr_roll_pct,mpwr_pitch_pct,mpwr_yaw_pct,gimbal_state,"
        "main_hw_flags,mtr0_status,mtr1_status,mtr2_status,sens_status,main_version,mtr0_version,"
        "mtr1_version,mtr2_version,sens_version,progress_state,progress_value_pct,c_status,cal_allowed,"
        "mode_lo,mode_hi,temp_value_degc,temp_power_pct,chan_sens,chan_axis_roll,chan_axis_pitch,"
        "chan_axis_yaw,chan_level_0_pct,chan_level_1_pct,chan_level_2_pct,chan_level_3_pct,chan_level_4_pct,"
        "chan_level_5_pct,chan_level_6_pct,chan_level_7_pct,chan_level_8_pct,chan_level_9_pct,"
        "chan_level_10_pct,chan_level_11_pct,chan_level_12_pct,chan_level_13_pct,chan_level_14_pct,"
        "chan_level_15_pct,grid_0_0,grid_0_1,grid_0_2,grid_0_3,grid_1_0,grid_1_1,grid_1_2,grid_1_3,grid_2_0,"
        "grid_2_1,grid_2_2,grid_2_3,grid_3_0,grid_3_1,grid_3_2,grid_3_3\n");
}

TEST(TelemetryCsv, RowsReadBackIntoTheSameFrames)
{
    const TelemetryState state = DistinctState();
    const std::string text = TelemetryCsvHeader() + TelemetryCsvRow(0.5, FrameWith(7, 33), state) +
                             TelemetryCsvRow(1.25, FrameWith(0, 34), {});
    const RecordingLoad load = Read(text);
    ASSERT_EQ(load.m_error, "");
    ASSERT_EQ(load.m_frames.size(), 2u);
    EXPECT_DOUBLE_EQ(load.m_frames[0].m_seconds, 0.5);
    EXPECT_EQ(load.m_frames[0].m_ack, 7);
    EXPECT_EQ(load.m_frames[0].m_page, 33);
    EXPECT_EQ(std::memcmp(&load.m_frames[0].m_state, &state, sizeof state), 0);
    EXPECT_EQ(load.m_frames[1].m_page, 34);
    EXPECT_DOUBLE_EQ(load.m_frames[1].m_seconds, 1.25);
}

TEST(TelemetryCsv, ColumnsAreFoundByNameUnknownOnesIgnoredMissingOnesZero)
{
    const RecordingLoad load = Read("page,future_column,angle_yaw_deg,time_s\n33,9,358.56,2.5\n");
    ASSERT_EQ(load.m_error, "");
    ASSERT_EQ(load.m_frames.size(), 1u);
    EXPECT_EQ(load.m_frames[0].m_page, 33);
    EXPECT_DOUBLE_EQ(load.m_frames[0].m_state.m_angle[2], 358.56);
    EXPECT_DOUBLE_EQ(load.m_frames[0].m_seconds, 2.5);
    EXPECT_EQ(load.m_frames[0].m_state.m_angle[0], 0.0);
}

TEST(TelemetryCsv, ALastLineCutOffWhileWritingIsLeftOut)
{
    const RecordingLoad load = Read("time_s,page\n0.01,33\n0.02,3");
    ASSERT_EQ(load.m_error, "");
    EXPECT_EQ(load.m_frames.size(), 1u);
}

TEST(TelemetryCsv, DamagedRecordingsAreRefusedWithTheLine)
{
    EXPECT_EQ(Read("").m_error, "no header line");
    EXPECT_EQ(Read("page,ack\n33,0\n").m_error, "the header has no time_s column");
    EXPECT_EQ(Read("time_s,page\n0.01,33\n0.02,x\n").m_error, "line 3: 'x' is not a number");
    EXPECT_EQ(Read("time_s,page\n0.01\n").m_error, "line 2: 1 fields where the header names 2");
    EXPECT_EQ(Read("time_s,page\nnan,33\n").m_error, "line 2: 'nan' is not a number");
    EXPECT_EQ(Read("time_s,page\n0.01,1e10\n").m_error, "line 2: '1e10' is not a byte");
    EXPECT_EQ(Read("time_s,page\n0.02,33\n0.01,33\n").m_error, "line 3: the time goes back");
    const RecordingLoad held = Read("time_s,gimbal_state\n0.01,300\n");
    ASSERT_EQ(held.m_frames.size(), 1u) << held.m_error;
    EXPECT_EQ(held.m_frames[0].m_state.m_gimbal_state, 255) << "a byte column is held, not wrapped";
    EXPECT_TRUE(Read("time_s,page\n0.01,33\n0.02,x\n").m_frames.empty()) << "all or nothing";
}

} // namespace
