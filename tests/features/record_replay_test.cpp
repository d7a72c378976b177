#include "features/record_replay/record_replay.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Clock = RecordReplay::Clock;
using std::chrono::milliseconds;

RecordedFrame FrameAt(double seconds, double roll)
{
    RecordedFrame frame;
    frame.m_seconds = seconds;
    frame.m_page = 33;
    frame.m_state.m_angle[0] = roll;
    return frame;
}

class RecordReplayTest : public testing::Test {
protected:
    RecordReplayTest() { m_live.m_angle[0] = 7; }

    ScratchFolder m_folder{"record-replay"};
    const Clock::time_point m_start = Clock::now();
    LinkStatus m_status;
    TelemetryState m_live{};
    RecordReplay m_views{m_status, m_live, m_start};
};

} // namespace

TEST_F(RecordReplayTest, ARecordingTakesTheLinksFramesAndNamesItsFileInTheTitle)
{
    EXPECT_EQ(m_views.Record(m_start, ProtocolFrame{}), "") << "nothing records before a start";
    EXPECT_EQ(m_views.TitleSuffix(), "");
    ASSERT_EQ(m_views.StartRecording(m_folder.Path().string(), m_start), "");
    ASSERT_EQ(m_views.Record(m_start + milliseconds(20), ProtocolFrame{}), "");
    EXPECT_TRUE(m_views.IsRecording());
    const std::string title = m_views.TitleSuffix();
    EXPECT_NE(title.find("orvane-"), std::string::npos) << title;
    EXPECT_NE(title.find(" KB)"), std::string::npos) << title;
    EXPECT_DOUBLE_EQ(m_views.SessionSeconds(m_start + milliseconds(1500)), 1.5);

    m_views.StopRecording();
    EXPECT_FALSE(m_views.IsRecording());
    EXPECT_EQ(m_views.TitleSuffix(), "");
}

TEST_F(RecordReplayTest, AFolderThatCannotBeWrittenStopsTheRecordingWithItsCause)
{
    const std::string file = m_folder.File("not-a-folder");
    WriteWholeFile(file, "x");
    EXPECT_NE(m_views.StartRecording(file, m_start), "");
    EXPECT_FALSE(m_views.IsRecording());
}

TEST_F(RecordReplayTest, AReplayStopsTheRecordingShowsItsFramesInTimeAndEndsClosed)
{
    ASSERT_EQ(m_views.StartRecording(m_folder.Path().string(), m_start), "");
    EXPECT_EQ(m_views.Shown().m_angle[0], 7);
    m_views.StartReplay("flight.csv", {FrameAt(10, 1), FrameAt(10.5, 2), FrameAt(11, 3)}, m_start);
    EXPECT_FALSE(m_views.IsRecording());
    EXPECT_EQ(m_status.Phase(), LinkPhase::kReplaying);
    EXPECT_NE(m_views.ReplayStatus().find("flight.csv"), std::string::npos);
    EXPECT_NE(m_views.TitleSuffix().find("flight.csv"), std::string::npos);

    RecordReplay::ReplayTick tick = m_views.TickReplay(m_start + milliseconds(600));
    ASSERT_EQ(tick.due.size(), 2u);
    EXPECT_FALSE(tick.just_finished);
    EXPECT_EQ(m_views.Shown().m_angle[0], 2) << "the views show the file, not the link";
    tick = m_views.TickReplay(m_start + milliseconds(1100));
    ASSERT_EQ(tick.due.size(), 1u);
    EXPECT_TRUE(tick.just_finished);
    tick = m_views.TickReplay(m_start + milliseconds(2000));
    EXPECT_TRUE(tick.due.empty());
    EXPECT_FALSE(tick.just_finished) << "finished once";

    m_views.StopReplay();
    EXPECT_EQ(m_status.Phase(), LinkPhase::kClosed);
    EXPECT_EQ(m_views.Shown().m_angle[0], 7);
    EXPECT_EQ(m_views.ReplayStatus(), "");
    EXPECT_TRUE(m_views.TickReplay(m_start).due.empty());
}
