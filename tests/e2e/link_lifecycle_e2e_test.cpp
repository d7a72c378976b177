// End-to-end smoke tests: the link against the simulator as a process, on
// a pseudo-terminal, in real time. Some of them let real time pass on
// purpose (a port left unread, a link destroyed while the far end talks);
// the behaviours themselves are tested without waiting in tests/link and
// tests/in_process.
#include "e2e/sim_link_fixture.h"
#include "link/ckrq_serial_port.h"
#include "link/gimbal_link.h"
#include "link/recording_sink.h"
#include "protocol/command_table.h"
#include "protocol/protocol_test_support.h"

#include "support/poll_until.h"
#include "support/thread_census.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

namespace {

using namespace std::chrono_literals;

class NoAnswer : public ConfirmQuestion {
public:
    bool Confirm(int) override { return false; }
};

class LinkLifecycleSmokeTest : public SimLinkTest {};

TEST_F(LinkLifecycleSmokeTest, KillingTheSimulatorMakesTheNextWriteFailAndClosesThePort)
{
    StartSim();
    GimbalSession session(kTestSendPeriodMs, false);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));
    ASSERT_TRUE(PumpUntilTransferDone(session));

    m_sim->Kill(SIGKILL);
    ASSERT_TRUE(Pump(session, [&] { return session.IsLinkLost(); }));
    EXPECT_EQ(session.Transactions().RunCommand(*FindCommandByName("run")), CommandOutcome::kPortClosed);
    // The user then ends the link as usual.
    session.StopLink();
    EXPECT_EQ(session.State().m_page.load(), 0);
}

TEST_F(LinkLifecycleSmokeTest, ReopeningEmptiesTheReceiveQueue)
{
    // The simulator streams fast, then falls silent, so what is queued at
    // the reopen can only be old bytes.
    StartSim({"--period", "1", "--silent-after", "0.5"});
    const auto silent_by = std::chrono::steady_clock::now() + 500ms;
    RecordingSink sink;
    CKRQSerialPort port;
    port.SetOwner(&sink);
    ASSERT_TRUE(port.Open(m_sim->Port(), 921600));
    ASSERT_TRUE(sink.WaitFor(kSerialBytesQueued, 1, kPatience));
    // Nobody pumps, so the queue keeps what came until it stops changing.
    std::this_thread::sleep_until(silent_by);
    size_t queued = port.QueuedByteCount();
    ASSERT_TRUE(PollUntil(
        [&] {
            std::this_thread::sleep_for(100ms);
            const size_t before = queued;
            queued = port.QueuedByteCount();
            return queued == before;
        },
        kPatience));
    ASSERT_GT(queued, 0u);

    ASSERT_TRUE(port.Open(m_sim->Port(), 921600));
    EXPECT_EQ(port.QueuedByteCount(), 0u);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(port.QueuedByteCount(), 0u);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(LinkLifecycleSmokeTest, ASessionRunsTheLinkOnTheCallersThreadAlone)
{
    StartSim();
    const size_t threads_before = CountLinkThreads();
    auto session = std::make_unique<GimbalSession>(kTestSendPeriodMs, true);
    ASSERT_TRUE(session->StartLink(m_sim->Port(), 921600));
    ASSERT_TRUE(PumpUntilTransferDone(*session));
    EXPECT_EQ(CountLinkThreads(), threads_before);
    // Frames keep arriving unpumped while it goes.
    std::this_thread::sleep_for(50ms);
    session.reset();
    EXPECT_EQ(CountLinkThreads(), threads_before);
}

TEST_F(LinkLifecycleSmokeTest, ADestroyedLinkWakesNobody)
{
    StartSim();
    std::atomic<int> wakes{0};
    RecordingView view;
    NoAnswer question;
    {
        GimbalLink link(view, question, [&] { ++wakes; });
        link.SetSendPeriod(kTestSendPeriodMs);
        link.StartSender();
        ASSERT_TRUE(link.StartLink(m_sim->Port(), 921600).Succeeded());
        // Handled as an owner would, so the threads keep waking it.
        ASSERT_TRUE(PollUntil(
            [&] {
                link.HandleWakeUp();
                return wakes >= 5;
            },
            kPatience));
    }
    const int woken = wakes;
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(wakes, woken);
}

} // namespace
