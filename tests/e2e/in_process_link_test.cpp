// The command-line tool's session against the simulator's controller model
// in this process, on simulated time: what a test sees does not depend on
// how busy the machine is, and a second of the link takes no second.
#include "e2e/sim_link_fixture.h"
#include "link/gimbal_session.h"
#include "protocol/command_table.h"
#include "protocol/protocol_messages.h"
#include "support/in_process_gimbal.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

class InProcessLinkTest : public testing::Test {
protected:
    InProcessLinkTest()
    {
        auto gimbal = std::make_unique<InProcessGimbal>(m_sim_clock, ModelOptions{}, 2ms);
        m_gimbal = gimbal.get();
        m_session = std::make_unique<GimbalSession>(5, false, std::move(gimbal), m_clock);
    }

    // Pumps for at most `limit` of simulated time.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s)
    {
        return m_session->PumpUntil(done, m_clock.Now() + limit);
    }

    bool Connect()
    {
        return m_session->StartLink("in-process", 115200) &&
               PumpUntil([&] { return m_session->State().m_transfer_active == 0; });
    }

    ManualClock m_sim_clock;
    ManualSessionClock m_clock{m_sim_clock};
    InProcessGimbal* m_gimbal = nullptr;
    std::unique_ptr<GimbalSession> m_session;
};

TEST_F(InProcessLinkTest, AConnectionDownloadsTheModelsSetAndLivePagesFollowAtItsPace)
{
    ASSERT_TRUE(Connect());
    EXPECT_EQ(m_session->StatusMessage(), kMsgParamDownloadDone);
    EXPECT_EQ(DifferingKeys(m_session->State().m_params.Snapshot(), m_gimbal->Model().Params()),
              std::vector<std::string>{});

    // A frame every 2 ms, a status page among every few of them: one
    // simulated second brings a fixed, generous number.
    const uint64_t pages = m_session->StatusPageCount();
    const auto start = m_clock.Now();
    EXPECT_FALSE(PumpUntil([] { return false; }, 1s));
    EXPECT_EQ(m_clock.Now() - start, 1s);
    EXPECT_GT(m_session->StatusPageCount() - pages, 20u);
    EXPECT_EQ(m_session->Counters().m_frames_rejected, 0u);
}

TEST_F(InProcessLinkTest, ACommandIsAnsweredWithinAFewPeriods)
{
    ASSERT_TRUE(Connect());
    const uint64_t acks = m_session->AckCount();
    ASSERT_EQ(m_session->Transactions().RunCommand(*FindCommandByName("stop")), CommandOutcome::kSent);
    const auto sent = m_clock.Now();
    ASSERT_TRUE(PumpUntil([&] { return m_session->AckCount() > acks; }));
    EXPECT_LT(m_clock.Now() - sent, 100ms);
}

TEST_F(InProcessLinkTest, AHangUpEndsTheWaitAtTheNextTickWithItsCause)
{
    ASSERT_TRUE(Connect());
    m_gimbal->HangUp();
    const auto gone = m_clock.Now();
    EXPECT_FALSE(PumpUntil([] { return false; }, 10s));
    EXPECT_TRUE(m_session->IsLinkLost());
    EXPECT_EQ(m_session->LossCause(), LinkLoss::kHungUp);
    EXPECT_LE(m_clock.Now() - gone, 20ms);
    EXPECT_EQ(m_session->StatusMessage(), kMsgTransmitError);
}

TEST_F(InProcessLinkTest, AFailedWriteEndsTheWaitWithItsCause)
{
    ASSERT_TRUE(Connect());
    m_gimbal->FailWrites();
    EXPECT_FALSE(PumpUntil([] { return false; }, 10s));
    EXPECT_TRUE(m_session->IsLinkLost());
    EXPECT_EQ(m_session->LossCause(), LinkLoss::kWriteFailed);
}

} // namespace
