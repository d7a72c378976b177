#include "link/link_status.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using P = LinkPhase;

// The caption the link button shows in each phase, as its handlers set it.
bool ButtonReadsStopDebug(LinkPhase phase)
{
    switch (phase) {
    case P::kTransferring:
    case P::kLinked:
    case P::kLost:
    case P::kWatchingForPort:
        return true;
    case P::kClosed:
    case P::kUpgrading:
    case P::kReplaying:
        return false;
    }
    return false;
}

class LinkStatusTest : public testing::Test {
protected:
    LinkStatusTest()
    {
        m_status.Listen([this](LinkPhase phase) { m_heard.push_back(phase); });
    }

    // Opens a link and lets its first download end.
    void Link()
    {
        m_status.OnLinkOpened();
        m_status.OnTransferFinished();
    }

    LinkStatus m_status;
    std::vector<LinkPhase> m_heard;
};

} // namespace

TEST_F(LinkStatusTest, ALinkDownloadsThenIdlesThenTransfersAgainAndEndsClosed)
{
    EXPECT_EQ(m_status.Phase(), P::kClosed);
    m_status.OnTransferStarted(); // no link: nothing travels
    m_status.OnLinkOpened();
    m_status.OnTransferFinished();
    m_status.OnTransferStarted();
    m_status.OnTransferFinished();
    m_status.OnLinkClosed();
    EXPECT_EQ(m_heard,
              (std::vector<P>{P::kTransferring, P::kLinked, P::kTransferring, P::kLinked, P::kClosed}));
}

TEST_F(LinkStatusTest, ALostLinkIsWatchedForOnlyWithAKnownPortAndStaysLostUntilTheUserActs)
{
    Link();
    m_status.OnLinkLost(true);
    EXPECT_EQ(m_status.Phase(), P::kWatchingForPort);
    EXPECT_TRUE(m_status.IsLost());
    m_status.OnTransferFinished(); // late news of a closed port
    m_status.OnWatchEnded();
    EXPECT_EQ(m_status.Phase(), P::kLost);
    m_status.OnLinkLost(true); // a second failure of the same lost link
    EXPECT_EQ(m_status.Phase(), P::kLost);
    m_status.OnLinkClosed();

    Link();
    m_status.OnLinkLost(false);
    EXPECT_EQ(m_status.Phase(), P::kLost);
}

TEST_F(LinkStatusTest, ALossOutsideAnOpenLinkChangesNothing)
{
    m_status.OnLinkLost(true);
    m_status.OnUpgradeStarted();
    m_status.OnLinkLost(true);
    EXPECT_EQ(m_heard, std::vector<P>{P::kUpgrading});
}

TEST_F(LinkStatusTest, AnUpgradeOrReplayEndsIntoClosedUnlessTheUserMovedOnMeanwhile)
{
    Link();
    m_status.OnUpgradeStarted();
    m_status.OnUpgradeEnded();
    EXPECT_EQ(m_status.Phase(), P::kClosed);

    m_status.OnUpgradeStarted();
    m_status.OnLinkOpened(); // "Start Debug" while the upgrade runs
    m_status.OnUpgradeEnded();
    EXPECT_EQ(m_status.Phase(), P::kTransferring);

    m_status.OnLinkClosed();
    m_status.OnReplayStarted();
    m_status.OnUpgradeEnded();
    EXPECT_EQ(m_status.Phase(), P::kReplaying);
    m_status.OnReplayStopped();
    EXPECT_EQ(m_status.Phase(), P::kClosed);
    m_status.OnReplayStarted();
    m_status.OnLinkOpened();
    m_status.OnReplayStopped();
    EXPECT_EQ(m_status.Phase(), P::kTransferring);
}

TEST_F(LinkStatusTest, StopDebugShowsExactlyWhileTheUsersLinkRuns)
{
    for (const P phase : {P::kClosed, P::kTransferring, P::kLinked, P::kLost, P::kWatchingForPort,
                          P::kUpgrading, P::kReplaying}) {
        LinkStatus status;
        switch (phase) {
        case P::kClosed:
            break;
        case P::kTransferring:
            status.OnLinkOpened();
            break;
        case P::kLinked:
            status.OnLinkOpened();
            status.OnTransferFinished();
            break;
        case P::kLost:
        case P::kWatchingForPort:
            status.OnLinkOpened();
            status.OnLinkLost(phase == P::kWatchingForPort);
            break;
        case P::kUpgrading:
            status.OnUpgradeStarted();
            break;
        case P::kReplaying:
            status.OnReplayStarted();
            break;
        }
        ASSERT_EQ(status.Phase(), phase);
        EXPECT_EQ(status.ShowsStopDebug(), ButtonReadsStopDebug(phase)) << static_cast<int>(phase);
    }
}
