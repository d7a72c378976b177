// The window's arrangement of the link, its sender on a thread of its own,
// over the simulator's controller model in this process: the test steps the
// sender's timer and the simulated time, and reads as the owner.
#include "link/gimbal_link.h"
#include "protocol/protocol_test_support.h"
#include "resources/message_ids.h"

#include "support/differing_keys.h"
#include "support/in_process_gimbal.h"
#include "support/stepped_timer.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

using namespace std::chrono_literals;

class NoQuestion : public ConfirmQuestion {
public:
    bool Confirm(int) override { return false; }
};

class LinkInProcessTest : public testing::Test {
protected:
    LinkInProcessTest()
    {
        m_link.SetSendPeriod(5);
        m_link.StartSender();
        EXPECT_TRUE(m_timer.WaitForWaits(1));
    }

    // One send period: the sender sends, the model's frames of that time
    // arrive, and the owner decodes them.
    void Period()
    {
        ASSERT_TRUE(m_timer.Step());
        m_gimbal.Advance(5ms);
        m_link.ReceiveAvailable(SIZE_MAX);
        m_link.HandleWakeUp();
    }

    RecordingView m_view;
    NoQuestion m_question;
    std::atomic<int> m_wakes{0};
    std::unique_ptr<InProcessGimbal> m_owned_gimbal = std::make_unique<InProcessGimbal>();
    InProcessGimbal& m_gimbal = *m_owned_gimbal;
    std::unique_ptr<SteppedTimer> m_owned_timer = std::make_unique<SteppedTimer>();
    SteppedTimer& m_timer = *m_owned_timer;
    GimbalLink m_link{m_view, m_question, [this] { ++m_wakes; }, std::move(m_owned_gimbal),
                      std::move(m_owned_timer)};
};

TEST_F(LinkInProcessTest, TheSendersFramesReachTheModelAndItsAnswersCompleteTheDownload)
{
    ASSERT_TRUE(m_link.StartLink("in-process", 921600).Succeeded());
    for (int period = 0; period < 400 && m_link.State().m_transfer_active != 0; ++period)
        Period();
    EXPECT_EQ(m_link.State().m_transfer_active, 0);
    EXPECT_EQ(m_view.LastMessage(), Id(MessageId::kParamDownloadDone));
    EXPECT_EQ(DifferingKeys(m_link.State().m_params.Snapshot(), m_gimbal.Params()),
              std::vector<std::string>{});
    EXPECT_GT(m_wakes, 0);

    // Closed, the sender sends nothing more.
    m_link.StopLink();
    const uint64_t received = m_gimbal.FramesReceived();
    ASSERT_TRUE(m_timer.Step());
    EXPECT_EQ(m_gimbal.FramesReceived(), received);
}

TEST_F(LinkInProcessTest, AWriteThatFailsOnTheSendersThreadIsReportedOnTheOwnersOnce)
{
    ASSERT_TRUE(m_link.StartLink("in-process", 921600).Succeeded());
    Period();
    m_gimbal.FailWrites();
    ASSERT_TRUE(m_timer.Step());
    m_link.HandleWakeUp();
    EXPECT_EQ(m_link.LossCause(), LinkLoss::kWriteFailed);
    EXPECT_FALSE(m_link.IsPortOpen());
    EXPECT_EQ(m_view.statuses.back(), (ShownStatus{Id(MessageId::kTransmitError), kRed}));
    const size_t shown = m_view.statuses.size();
    ASSERT_TRUE(m_timer.Step());
    m_link.HandleWakeUp();
    EXPECT_EQ(m_view.statuses.size(), shown);
}

} // namespace
