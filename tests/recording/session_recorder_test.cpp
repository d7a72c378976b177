#include "recording/session_recorder.h"
#include "recording/telemetry_csv.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Clock = SessionRecorder::Clock;

TEST(SessionRecorder, NamesComeFromTheTimeAndNeverRepeat)
{
    ScratchFolder folder("recorder");
    const auto noon = std::chrono::system_clock::now();
    const std::string first = FreshRecordingPath(folder.Path().string(), noon);
    EXPECT_TRUE(std::filesystem::path(first).filename().string().starts_with("orvane-"));
    EXPECT_TRUE(first.ends_with(".csv"));
    WriteWholeFile(first, "earlier");
    const std::string second = FreshRecordingPath(folder.Path().string(), noon);
    EXPECT_EQ(second, first.substr(0, first.size() - 4) + "-2.csv");
}

TEST(SessionRecorder, EachRecordingGetsItsOwnFileFlushedRowByRow)
{
    ScratchFolder folder("recorder");
    const std::string target = (folder.Path() / "recordings").string();
    const Clock::time_point start = Clock::now();
    ProtocolFrame frame{};
    frame[kFramePageOffset] = 33;
    TelemetryState state{};
    state.m_angle[0] = 1.5;

    SessionRecorder recorder;
    ASSERT_EQ(recorder.Start(target, start), "");
    ASSERT_EQ(recorder.Record(start + std::chrono::milliseconds(20), frame, state), "");
    const std::string first = recorder.Path();
    // Read while the recording still runs: nothing waits in a buffer.
    const RecordingLoad load = LoadTelemetryCsv(first);
    ASSERT_EQ(load.m_error, "");
    ASSERT_EQ(load.m_frames.size(), 1u);
    EXPECT_DOUBLE_EQ(load.m_frames[0].m_seconds, 0.02);
    EXPECT_DOUBLE_EQ(load.m_frames[0].m_state.m_angle[0], 1.5);
    EXPECT_EQ(recorder.Bytes(), std::filesystem::file_size(first));

    ASSERT_EQ(recorder.Start(target, start), "") << "a second recording within the same second";
    ASSERT_EQ(recorder.Record(start, frame, {}), "");
    recorder.Stop();
    EXPECT_FALSE(recorder.IsRunning());
    EXPECT_NE(recorder.Path(), first);
    EXPECT_EQ(LoadTelemetryCsv(first).m_frames.size(), 1u) << "the first recording is kept as it was";
}

TEST(SessionRecorder, AFolderThatCannotBeMadeIsReported)
{
    ScratchFolder folder("recorder");
    WriteWholeFile(folder.File("plain"), "a file, not a folder");
    SessionRecorder recorder;
    EXPECT_NE(recorder.Start(folder.File("plain") + "/recordings", Clock::now()), "");
    EXPECT_FALSE(recorder.IsRunning());
}

} // namespace
