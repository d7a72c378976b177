#include "link/ckrq_serial_port.h"
#include "link/recording_sink.h"
#include "link/sender_thread.h"
#include "platform/periodic_timer.h"
#include "platform/pty_pair.h"

#include "support/stepped_timer.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The sender with a timer the test ticks: each step is one wake-up, and the
// test goes on once the sender has acted on it.
class SenderThreadTest : public ::testing::Test {
protected:
    SenderThreadTest() { m_port.SetOwner(&m_sink); }

    // Each frame built carries its sequence number in the command byte.
    ProtocolFrame Build()
    {
        ProtocolFrame frame{};
        frame[0] = kOutboundHeader0;
        frame[1] = kOutboundHeader1;
        frame[kFrameCodeOffset] = static_cast<uint8_t>(++m_built);
        SealFrame(frame);
        return frame;
    }

    // Returns once the sender has armed (or not) and waits for its first tick.
    void StartSender()
    {
        const int waits = m_timer.Waits();
        m_sender.Start();
        ASSERT_TRUE(m_timer.WaitForWaits(waits + 1));
    }

    void Step(uint64_t ticks = 1) { ASSERT_TRUE(m_timer.Step(ticks)); }

    PtyPair m_pty;
    RecordingSink m_sink;
    CKRQSerialPort m_port;
    std::atomic<int> m_period{10};
    std::atomic<int> m_built{0};
    std::unique_ptr<SteppedTimer> m_owned_timer = std::make_unique<SteppedTimer>();
    SteppedTimer& m_timer = *m_owned_timer;
    SenderThread m_sender{m_port, m_period, [this] { return Build(); }, std::move(m_owned_timer)};
};

TEST_F(SenderThreadTest, SendsOneWholeFramePerWakeUpOnlyWhileThePortIsOpen)
{
    StartSender();
    EXPECT_EQ(m_timer.ArmedPeriod(), 10);
    Step();
    Step();
    EXPECT_EQ(m_built, 0) << "closed: nothing is even built";

    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    for (int tick = 0; tick < 5; ++tick)
        Step();
    Step(3); // ticks that fell while the sender was busy merge into one wake-up
    EXPECT_EQ(m_built, 6);
    const std::vector<uint8_t> bytes = m_pty.ReadFromSlave(6 * kFrameSize);
    ASSERT_EQ(bytes.size(), 6 * kFrameSize);
    for (size_t frame = 0; frame < 6; ++frame) {
        EXPECT_EQ(bytes[frame * kFrameSize], kOutboundHeader0);
        EXPECT_EQ(bytes[frame * kFrameSize + kFrameCodeOffset], frame + 1);
    }

    m_port.Close();
    Step();
    EXPECT_EQ(m_built, 6);
    EXPECT_TRUE(m_pty.DrainMaster().empty());
}

TEST_F(SenderThreadTest, UnusablePeriodsLeaveTheTimerDisarmed)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    for (const int period : {0, -10}) {
        m_period = period;
        StartSender();
        EXPECT_EQ(m_timer.ArmedPeriod(), 0) << period;
        m_sender.Stop();
    }
    EXPECT_EQ(m_built, 0);
}

TEST_F(SenderThreadTest, APeriodChangeTakesEffectAtTheNextWakeUp)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_period = 5;
    StartSender();
    EXPECT_EQ(m_timer.ArmedPeriod(), 5);
    m_period = 7;
    Step(); // the wake-up already due still sends, then the timer is re-armed
    EXPECT_EQ(m_built, 1);
    EXPECT_EQ(m_timer.ArmedPeriod(), 7);
    m_period = 0;
    Step();
    EXPECT_EQ(m_built, 2);
    EXPECT_EQ(m_timer.ArmedPeriod(), 0) << "an unusable period disarms: no more wake-ups";
}

TEST_F(SenderThreadTest, ARefusedTimerLeavesTheSenderAsleepUntilStopped)
{
    m_timer.RefuseArming();
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    StartSender();
    EXPECT_EQ(m_timer.ArmedPeriod(), 0);
    m_sender.Stop();
    EXPECT_EQ(m_built, 0);
    EXPECT_TRUE(m_pty.DrainMaster().empty());
}

TEST_F(SenderThreadTest, AStoppedSenderLeavesItsTimerDisarmedAndArmsItAgainOnStart)
{
    StartSender();
    m_sender.Stop();
    EXPECT_EQ(m_timer.ArmedPeriod(), 0);
    StartSender();
    EXPECT_EQ(m_timer.ArmedPeriod(), 10);
}

// With the system's own timer: a stop ends the wait whatever the period.
TEST(SenderThreadStop, IsPromptWhateverThePeriod)
{
    CKRQSerialPort port;
    std::atomic<int> period{10};
    SenderThread sender(port, period, [] { return ProtocolFrame{}; });
    for (const int each : {10, LongestTimerPeriodMs(), 0}) {
        period = each;
        sender.Start();
        const auto start = Clock::now();
        sender.Stop();
        EXPECT_LT(Clock::now() - start, 1s) << each;
    }
    sender.Stop(); // twice is harmless
}

} // namespace
