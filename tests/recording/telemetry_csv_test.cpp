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
