// The command-line tool's session against the simulator's controller model
// in this process, on simulated time: what a test sees does not depend on
// how busy the machine is, and a simulated second takes no second.
#include "link/gimbal_session.h"
#include "protocol/command_table.h"
#include "resources/message_ids.h"

#include "support/differing_keys.h"
#include "support/in_process_gimbal.h"
#include "support/thread_census.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr int kSendPeriodMs = 5;
constexpr SimDuration kFramePeriod = 2ms;

class SessionInProcessTest : public testing::Test {
protected:
    // A session with auto-stop `autostop` against a model made with `options`.
    void MakeSession(ModelOptions options = {}, bool autostop = false)
    {
        options.calibration_time = 100ms;
        options.seed = 7;
        auto gimbal = std::make_unique<InProcessGimbal>(std::move(options), kFramePeriod);
        m_gimbal = gimbal.get();
        m_clock = std::make_unique<InProcessSessionClock>(*m_gimbal);
        m_session = std::make_unique<GimbalSession>(kSendPeriodMs, autostop, std::move(gimbal), *m_clock);
    }

    // Pumps for at most `limit` of simulated time.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s)
    {
        return m_session->PumpUntil(done, m_clock->Now() + limit);
    }
    void PumpFor(std::chrono::milliseconds duration)
    {
        PumpUntil([] { return false; }, duration);
    }

    bool TransferDone()
    {
        return PumpUntil([&] {
            return m_session->State().m_transfer_buttons_enabled.load() &&
                   m_session->State().m_transfer_active == 0;
        });
    }

    bool Connect() { return m_session->StartLink("in-process", 921600) && TransferDone(); }

    // Sends the named command and pumps until its answer has ended it.
    void RunToAnswer(const char* name)
    {
        const CommandRow& command = *FindCommandByName(name);
        const uint64_t acks = m_session->AckCount();
        ASSERT_EQ(m_session->Transactions().RunCommand(command), CommandOutcome::kSent);
        EXPECT_EQ(m_session->StatusMessage(), command.progress_message);
        const auto sent = m_clock->Now();
        ASSERT_TRUE(PumpUntil([&] { return m_session->AckCount() > acks; }));
        EXPECT_LT(m_clock->Now() - sent, 50ms) << "answered within a few periods";
        EXPECT_EQ(m_session->State().m_command.load(), 0);
    }

    InProcessGimbal* m_gimbal = nullptr;
    std::unique_ptr<InProcessSessionClock> m_clock;
    std::unique_ptr<GimbalSession> m_session;
};

TEST_F(SessionInProcessTest, AConnectionDownloadsTheModelsSetAndFramesFollowAtItsPace)
{
    MakeSession();
    const size_t threads = CountLinkThreads();
    ASSERT_TRUE(Connect());
    EXPECT_EQ(CountLinkThreads(), threads) << "the session runs on the caller's thread alone";
    EXPECT_EQ(m_session->StatusMessage(), Id(MessageId::kParamDownloadDone));
    EXPECT_EQ(DifferingKeys(m_session->State().m_params.Snapshot(), m_gimbal->Params()),
              std::vector<std::string>{});

    // One simulated second: a frame every 2 ms, every one decoded, and the
    // session's frames reach the model every 5 ms.
    const LinkCounters before = m_session->Counters();
    const uint64_t pages = m_session->StatusPageCount();
    const uint64_t sent = m_gimbal->FramesReceived();
    const auto start = m_clock->Now();
    PumpFor(1s);
    EXPECT_EQ(m_clock->Now() - start, 1s);
    const LinkCounters after = m_session->Counters();
    EXPECT_NEAR(static_cast<double>(after.m_frames_decoded - before.m_frames_decoded), 500, 5);
    EXPECT_EQ(after.m_frames_rejected, 0u);
    EXPECT_GT(m_session->StatusPageCount() - pages, 20u);
    EXPECT_NEAR(static_cast<double>(m_gimbal->FramesReceived() - sent), 200, 2);
}

TEST_F(SessionInProcessTest, CommandsAreAnsweredAndAFailureIsShownInRed)
{
    ModelOptions options;
    options.failing_commands = {1};
    MakeSession(std::move(options));
    ASSERT_TRUE(Connect());

    RunToAnswer("run");
    EXPECT_EQ(m_session->LastAckCode(), 1 + kAckFailureOffset);
    EXPECT_EQ(m_session->StatusMessage(), FindCommandByName("run")->failure_message);
    EXPECT_EQ(m_session->StatusColour(), kRed);
    // Commands that are not made to fail still succeed.
    RunToAnswer("stop");
    EXPECT_EQ(m_session->LastAckCode(), kGimbalStopCode);
    EXPECT_EQ(m_session->StatusMessage(), FindCommandByName("stop")->success_message);
    EXPECT_EQ(m_session->StatusColour(), kBlack);
}

TEST_F(SessionInProcessTest, SilenceAfterValidFramesMakesTheAutoStopSendStopInTime)
{
    ModelOptions options;
    options.silent_after = 1500ms;
    MakeSession(std::move(options), true);
    ASSERT_TRUE(m_session->StartLink("in-process", 921600));
    // Every connection with auto-stop on begins with a stop.
    EXPECT_EQ(m_session->State().m_command.load(), kGimbalStopCode);
    ASSERT_TRUE(PumpUntil([&] { return m_session->AckCount() > 0; }));
    ASSERT_EQ(m_session->State().m_command.load(), 0);

    ASSERT_TRUE(PumpUntil([&] { return m_session->State().m_command.load() == kGimbalStopCode; }));
    EXPECT_GE(m_session->State().m_autostop_count.load(), CommandTransactions::kAutoStopTicks);
    // The watchdog counts the window's 10 ms ticks from the last frame read,
    // within two ticks of the silence.
    const auto silent_for = m_clock->Now() - std::chrono::steady_clock::time_point(1500ms);
    EXPECT_GE(silent_for, (CommandTransactions::kAutoStopTicks - 2) * 10ms);
    EXPECT_LE(silent_for, (CommandTransactions::kAutoStopTicks + 2) * 10ms);
    EXPECT_FALSE(m_session->IsLinkLost());
}

TEST_F(SessionInProcessTest, AnUploadChangesTheModelsSetAndADownloadReadsItBack)
{
    MakeSession();
    ASSERT_TRUE(Connect());
    GimbalParams changed = m_gimbal->Params();
    changed.m_roll_pid_kp = 57;
    changed.m_gimbal_alpha = 12;
    changed.m_mtr_cal_par[40] ^= 0x5A; // a byte of the third calibration page
    SealCalibrationBlock(changed);
    ASSERT_TRUE(m_session->Transactions().StartUpload(changed));
    ASSERT_TRUE(TransferDone());
    EXPECT_EQ(m_session->StatusMessage(), Id(MessageId::kParamUploadDone));
    EXPECT_EQ(DifferingKeys(m_gimbal->Params(), changed), std::vector<std::string>{});

    // Forget what was sent, so that only the gimbal can bring it back.
    m_session->State().m_params.Replace(GimbalParams{});
    ASSERT_TRUE(m_session->Transactions().StartDownload());
    ASSERT_TRUE(TransferDone());
    EXPECT_EQ(DifferingKeys(m_session->State().m_params.Snapshot(), changed), std::vector<std::string>{});
}

TEST_F(SessionInProcessTest, AHangUpEndsTheWaitAtTheNextTickWithItsCause)
{
    MakeSession();
    ASSERT_TRUE(Connect());
    m_gimbal->HangUp();
    const auto gone = m_clock->Now();
    EXPECT_FALSE(PumpUntil([] { return false; }, 10s));
    EXPECT_TRUE(m_session->IsLinkLost());
    EXPECT_EQ(m_session->LossCause(), LinkLoss::kHungUp);
    EXPECT_LE(m_clock->Now() - gone, 20ms);
    EXPECT_EQ(m_session->StatusMessage(), Id(MessageId::kTransmitError));
    EXPECT_EQ(m_session->Transactions().RunCommand(*FindCommandByName("run")), CommandOutcome::kPortClosed);

    // A port that stays away cannot be opened again.
    PortOpenResult why;
    EXPECT_FALSE(m_session->StartLink("in-process", 921600, &why));
    EXPECT_EQ(why.cause, PortOpenCause::kMissing);
}

TEST_F(SessionInProcessTest, AFailedWriteEndsTheWaitWithItsCause)
{
    MakeSession();
    ASSERT_TRUE(Connect());
    m_gimbal->FailWrites();
    const auto broken = m_clock->Now();
    EXPECT_FALSE(PumpUntil([] { return false; }, 10s));
    EXPECT_TRUE(m_session->IsLinkLost());
    EXPECT_EQ(m_session->LossCause(), LinkLoss::kWriteFailed);
    EXPECT_LE(m_clock->Now() - broken, 2 * std::chrono::milliseconds(kSendPeriodMs));
}

TEST_F(SessionInProcessTest, StoppingTwiceIsHarmlessAndTheNextStartDownloadsAnew)
{
    MakeSession();
    ASSERT_TRUE(Connect());
    m_session->StopLink();
    m_session->StopLink();
    EXPECT_EQ(m_session->State().m_page.load(), 0);
    EXPECT_EQ(m_session->State().m_transfer_active.load(), 0);
    EXPECT_EQ(m_session->Transactions().RunCommand(*FindCommandByName("run")), CommandOutcome::kPortClosed);

    m_session->State().m_params.Replace(GimbalParams{});
    ASSERT_TRUE(m_session->StartLink("in-process", 921600));
    EXPECT_EQ(m_session->State().m_page.load(), 17);
    ASSERT_TRUE(TransferDone());
    EXPECT_EQ(DifferingKeys(m_session->State().m_params.Snapshot(), m_gimbal->Params()),
              std::vector<std::string>{});
}

} // namespace
