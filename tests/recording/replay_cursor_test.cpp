#include "recording/replay_cursor.h"

#include <gtest/gtest.h>

namespace {

// Frames every 10 ms from 100.0 s on, as a recording's times run.
std::vector<double> TenMillisecondFrames(int count)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i)
        times.push_back(100.0 + 0.01 * i);
    return times;
}

size_t Count(ReplayCursor::Due due)
{
    return due.m_end - due.m_first;
}

TEST(ReplayCursor, FramesFallDueAsTheirTimeIsReachedAtTheChosenSpeed)
{
    ReplayCursor cursor(TenMillisecondFrames(100));
    EXPECT_EQ(Count(cursor.Advance(0)), 1u) << "the first frame at once";
    EXPECT_EQ(Count(cursor.Advance(0.0451)), 4u);
    cursor.SetSpeed(4);
    const ReplayCursor::Due due = cursor.Advance(0.1);
    EXPECT_EQ(due.m_first, 5u);
    EXPECT_EQ(Count(due), 40u);
    EXPECT_NEAR(cursor.Position(), 0.4451, 1e-9);
}

TEST(ReplayCursor, PausedOnlyStepsMoveOnOneFrameAtATime)
{
    ReplayCursor cursor(TenMillisecondFrames(3));
    cursor.SetPaused(true);
    EXPECT_EQ(Count(cursor.Advance(5)), 0u);
    EXPECT_EQ(cursor.Step(), 0u);
    EXPECT_EQ(cursor.Step(), 1u);
    EXPECT_NEAR(cursor.Position(), 0.01, 1e-9);
    cursor.SetPaused(false);
    EXPECT_EQ(Count(cursor.Advance(1)), 1u);
    EXPECT_TRUE(cursor.Finished());
    EXPECT_EQ(cursor.Step(), std::nullopt);
    EXPECT_TRUE(cursor.Paused()) << "a step always leaves the replay paused";
}

TEST(ReplayCursor, EndsAtTheLastFrameAndAnEmptyRecordingIsFinishedAtOnce)
{
    ReplayCursor cursor(TenMillisecondFrames(10));
    EXPECT_EQ(Count(cursor.Advance(60)), 10u);
    EXPECT_NEAR(cursor.Position(), cursor.Duration(), 1e-9);
    EXPECT_TRUE(ReplayCursor({}).Finished());
    EXPECT_EQ(ReplayCursor({}).Duration(), 0.0);
}

} // namespace
