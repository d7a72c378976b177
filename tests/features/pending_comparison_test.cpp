#include "features/compare/pending_comparison.h"

#include <gtest/gtest.h>

namespace {

GimbalParams WithRollGain(double gain)
{
    GimbalParams params{};
    params.m_roll_pid_kp = gain;
    return params;
}

class PendingComparisonTest : public testing::Test {
protected:
    PendingComparisonTest()
    {
        m_status.OnLinkOpened();
        m_status.OnTransferFinished();
    }

    LinkStatus m_status;
    PendingComparison m_pending{m_status};
};

} // namespace

TEST_F(PendingComparisonTest, OnlyTheDownloadsEndAnswersItAndOnlyOnce)
{
    EXPECT_FALSE(m_pending.TakeReady());
    m_pending.Await(WithRollGain(3), "tuned.rkdp");
    m_status.OnTransferStarted();
    EXPECT_TRUE(m_pending.Awaiting());
    EXPECT_FALSE(m_pending.TakeReady()) << "nothing before the download has ended";

    m_pending.OnDownloadFinished(WithRollGain(5));
    m_pending.OnDownloadFinished(WithRollGain(7)); // a later download answers nothing more
    m_status.OnTransferFinished();
    const std::optional<PendingComparison::Ready> ready = m_pending.TakeReady();
    ASSERT_TRUE(ready);
    EXPECT_EQ(ready->file.m_roll_pid_kp, 3);
    EXPECT_EQ(ready->gimbal.m_roll_pid_kp, 5);
    EXPECT_EQ(ready->file_name, "tuned.rkdp");
    EXPECT_FALSE(m_pending.TakeReady());
    EXPECT_FALSE(m_pending.Awaiting());
}

TEST_F(PendingComparisonTest, ALinkThatStopsBeingOpenDropsItEvenWhenItsDownloadHasEnded)
{
    for (const auto end :
         {+[](LinkStatus& s) { s.OnLinkClosed(); }, +[](LinkStatus& s) { s.OnLinkLost(true); },
          +[](LinkStatus& s) { s.OnUpgradeStarted(); }, +[](LinkStatus& s) { s.OnReplayStarted(); }}) {
        m_status.OnLinkClosed();
        m_status.OnLinkOpened();
        m_pending.Await(WithRollGain(3), "tuned.rkdp");
        m_pending.OnDownloadFinished(WithRollGain(5));
        end(m_status);
        EXPECT_FALSE(m_pending.TakeReady());
        m_pending.OnDownloadFinished(WithRollGain(5));
        EXPECT_FALSE(m_pending.TakeReady()) << "nothing awaited any more";
    }
}
