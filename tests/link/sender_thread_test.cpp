#include "link/ckrq_serial_port.h"
#include "link/recording_sink.h"
#include "link/sender_thread.h"
#include "platform/periodic_timer.h"
#include "platform/pty_pair.h"
#include "platform/system_calls_posix.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

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

    PtyPair m_pty;
    RecordingSink m_sink;
    CKRQSerialPort m_port;
    std::atomic<int> m_period{10};
    std::atomic<int> m_built{0};
    SenderThread m_sender{m_port, m_period, [this] { return Build(); }};
};

TEST_F(SenderThreadTest, SendsWholeFramesOnlyWhileThePortIsOpen)
{
    m_sender.Start();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(m_built, 0); // closed: nothing is even built

    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    const std::vector<uint8_t> bytes = m_pty.ReadFromSlave(5 * kFrameSize);
    ASSERT_EQ(bytes.size(), 5 * kFrameSize);
    for (size_t frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(bytes[frame * kFrameSize], kOutboundHeader0);
        EXPECT_EQ(bytes[frame * kFrameSize + kFrameCodeOffset], bytes[kFrameCodeOffset] + frame);
    }

    m_port.Close();
    const int built = m_built;
    std::this_thread::sleep_for(50ms);
    EXPECT_LE(m_built, built + 1); // at most one that was on its way
    m_pty.DrainMaster();
    EXPECT_TRUE(m_pty.DrainMaster().empty());
}

TEST_F(SenderThreadTest, UnusablePeriodsSendNothing)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    for (const int period : {0, -10}) {
        m_period = period;
        m_sender.Start();
        std::this_thread::sleep_for(60ms);
        m_sender.Stop();
        EXPECT_EQ(m_built, 0) << period;
    }
    EXPECT_TRUE(m_pty.DrainMaster().empty());
}

TEST_F(SenderThreadTest, PeriodChangeTakesEffectAtTheNextWakeUp)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_period = 5;
    m_sender.Start();
    for (int i = 0; i < 200 && m_built < 3; ++i)
        std::this_thread::sleep_for(5ms);
    // The wake-up already due may still send; the pass after it disarms.
    const int built = m_built;
    m_period = 0;
    std::this_thread::sleep_for(100ms);
    EXPECT_LE(m_built, built + 1);
}

TEST_F(SenderThreadTest, StopIsPromptWhateverThePeriod)
{
    for (const int period : {10, LongestTimerPeriodMs(), 0}) {
        m_period = period;
        m_sender.Start();
        std::this_thread::sleep_for(20ms);
        const auto start = Clock::now();
        m_sender.Stop();
        EXPECT_LT(Clock::now() - start, 1s) << period;
    }
    m_sender.Stop(); // twice is harmless
}

int RefusedTimerCreate(int, int)
{
    errno = EMFILE;
    return -1;
}

TEST_F(SenderThreadTest, WithoutATimerTheSenderSleepsUntilStopped)
{
    PosixCalls calls = RealPosixCalls();
    calls.timerfd_create = RefusedTimerCreate;
    ScopedPosixCalls scope(calls);
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_sender.Start();
    std::this_thread::sleep_for(50ms);
    const auto start = Clock::now();
    m_sender.Stop();
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_EQ(m_built, 0);
    EXPECT_TRUE(m_pty.DrainMaster().empty());
    // The reader calls through the table too: it ends before the table goes back.
    m_port.Close();
}

} // namespace
