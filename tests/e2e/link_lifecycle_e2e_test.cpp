#include "e2e/sim_link_fixture.h"
#include "link/recording_sink.h"
#include "link/sender_thread.h"
#include "protocol/command_table.h"
#include "protocol/transaction_state.h"
#include "sim/default_params.h"

#include "support/thread_census.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Waits, within the test's patience, until `done()` holds.
bool WaitFor(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

size_t QueuedBytes(CKRQSerialPort& port)
{
    std::lock_guard rx_lock(port.m_rx_lock);
    return port.m_rx_queue.size();
}

class LinkLifecycleTest : public SimLinkTest {};

TEST_F(LinkLifecycleTest, KillingTheSimulatorMakesTheNextWriteFailAndClosesThePort)
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

TEST_F(LinkLifecycleTest, StoppingTwiceIsHarmlessAndTheNextStartDownloadsAnew)
{
    StartSim();
    GimbalSession session(kTestSendPeriodMs, false);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));
    ASSERT_TRUE(PumpUntilTransferDone(session));

    session.StopLink();
    session.StopLink();
    EXPECT_EQ(session.State().m_page.load(), 0);
    EXPECT_EQ(session.State().m_transfer_active.load(), 0);
    EXPECT_EQ(session.Transactions().RunCommand(*FindCommandByName("run")), CommandOutcome::kPortClosed);

    session.State().m_params.Replace(GimbalParams{});
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));
    EXPECT_EQ(session.State().m_page.load(), 17);
    ASSERT_TRUE(PumpUntilTransferDone(session));
    EXPECT_EQ(session.State().m_params.Snapshot().m_roll_pid_kp, DefaultGimbalParams().m_roll_pid_kp);
}

TEST_F(LinkLifecycleTest, ReopeningEmptiesTheReceiveQueue)
{
    // The simulator streams fast, then falls silent, so what is queued at
    // the reopen can only be old bytes.
    StartSim({"--period", "1", "--silent-after", "0.5"});
    const auto silent_by = std::chrono::steady_clock::now() + 500ms;
    RecordingSink sink;
    CKRQSerialPort port;
    port.m_owner = &sink;
    ASSERT_TRUE(port.Open(m_sim->Port(), 921600));
    ASSERT_TRUE(sink.WaitFor(kSerialBytesQueued, 1, kPatience));
    // Nobody pumps, so the queue keeps what came until it stops changing.
    std::this_thread::sleep_until(silent_by);
    size_t queued = QueuedBytes(port);
    ASSERT_TRUE(WaitFor([&] {
        std::this_thread::sleep_for(100ms);
        const size_t before = queued;
        queued = QueuedBytes(port);
        return queued == before;
    }));
    ASSERT_GT(queued, 0u);

    ASSERT_TRUE(port.Open(m_sim->Port(), 921600));
    EXPECT_EQ(QueuedBytes(port), 0u);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(QueuedBytes(port), 0u);
    std::lock_guard lock(port.m_lock);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(LinkLifecycleTest, DestroyingARunningSessionLeavesNoThread)
{
    StartSim();
    const size_t threads_before = CountLinkThreads();
    auto session = std::make_unique<GimbalSession>(kTestSendPeriodMs, true);
    ASSERT_TRUE(session->StartLink(m_sim->Port(), 921600));
    ASSERT_TRUE(PumpUntilTransferDone(*session));
    EXPECT_EQ(CountLinkThreads(), threads_before + 2); // the sender and the reader
    // Frames keep arriving unpumped while it goes: nothing may reach it after.
    std::this_thread::sleep_for(50ms);
    session.reset();
    EXPECT_TRUE(WaitFor([&] { return CountLinkThreads() <= threads_before; }));
}

TEST_F(LinkLifecycleTest, ADestroyedPortPostsNothingMore)
{
    StartSim();
    RecordingSink sink;
    TransactionState state;
    std::atomic<int> period{kTestSendPeriodMs};
    {
        CKRQSerialPort port;
        port.m_owner = &sink;
        SenderThread sender(port, period, [&] { return state.BuildNextFrame(); });
        ASSERT_TRUE(port.Open(m_sim->Port(), 921600));
        sender.Start();
        ASSERT_TRUE(sink.WaitFor(kSerialBytesQueued, 5, kPatience));
        // Owners stop the sender first, then the port closes as it goes.
    }
    const size_t posted = sink.Count(kSerialBytesQueued) + sink.Count(kSerialWriteFailed);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(sink.Count(kSerialBytesQueued) + sink.Count(kSerialWriteFailed), posted);
}

} // namespace
