#include "platform/pty_pair.h"
#include "platform/serial_port.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(SerialPort, AFailedOpenNamesItsCauseAndLeavesNothingOpen)
{
    PtyPair pty;
    SerialPort first;
    ASSERT_TRUE(first.Open(pty.SlaveName(), 115200).Succeeded());

    SerialPort second;
    EXPECT_EQ(second.Open(pty.SlaveName(), 115200).cause, PortOpenCause::kBusy);
    EXPECT_FALSE(second.IsOpen());
    // Opening another device closes the first one's: it is free again.
    EXPECT_EQ(first.Open("/dev/orvane-no-such-port", 115200).cause, PortOpenCause::kMissing);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.Open(pty.SlaveName(), 115200).Succeeded());
}

TEST(SerialPort, AHangUpIsReportedByTheReadOrWaitThatSeesItAndKeptUntilReopened)
{
    PtyPair pty;
    SerialPort port;
    StopSignal stop;
    ASSERT_TRUE(port.Open(pty.SlaveName(), 115200).Succeeded());
    pty.WriteToSlave({1, 2});
    ASSERT_EQ(port.WaitReadableFor(stop, 2s), SerialTimedWait::kReady);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(port.ReadAvailable(bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2}));
    EXPECT_FALSE(port.HasHungUp());

    pty.CloseMaster();
    // The wait may see the hang-up as news to read; the read then tells.
    uint8_t buffer[8];
    if (port.WaitReadable(stop) == SerialWait::kReadable) {
        EXPECT_FALSE(port.Read(buffer, sizeof buffer).m_alive);
    }
    EXPECT_TRUE(port.HasHungUp());
    EXPECT_FALSE(port.Read(buffer, sizeof buffer).m_alive);
    EXPECT_FALSE(port.ReadAvailable(bytes));
    EXPECT_EQ(port.WaitReadable(stop), SerialWait::kGone);
    EXPECT_EQ(port.WaitReadableFor(stop, 0ms), SerialTimedWait::kGone);
    EXPECT_TRUE(port.IsOpen()) << "its owner closes it";

    PtyPair other;
    ASSERT_TRUE(port.Open(other.SlaveName(), 115200).Succeeded());
    EXPECT_FALSE(port.HasHungUp());
    EXPECT_TRUE(port.Read(buffer, sizeof buffer).m_alive);
}

TEST(SerialPort, AWaitEndsWithTheStopSignalWithoutAHangUp)
{
    PtyPair pty;
    SerialPort port;
    StopSignal stop;
    ASSERT_TRUE(port.Open(pty.SlaveName(), 115200).Succeeded());
    stop.Signal();
    EXPECT_EQ(port.WaitReadable(stop), SerialWait::kStopped);
    EXPECT_EQ(port.WaitReadableFor(stop, 10s), SerialTimedWait::kStopped);
    EXPECT_FALSE(port.HasHungUp());
}

} // namespace
