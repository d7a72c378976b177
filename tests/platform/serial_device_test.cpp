#include "platform/fake_baud_driver.h"
#include "platform/pty_pair.h"
#include "platform/serial_device.h"
#include "platform/system_calls_posix.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/ioctl.h>

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    return std::vector<uint8_t>(values.begin(), values.end());
}

// Reads from the device until `count` bytes came or two seconds passed.
std::vector<uint8_t> ReadDevice(SerialHandle handle, size_t count)
{
    std::vector<uint8_t> bytes;
    while (bytes.size() < count) {
        pollfd entry{handle, POLLIN, 0};
        if (poll(&entry, 1, 2000) != 1 || !ReadSerialAvailable(handle, bytes))
            break;
    }
    return bytes;
}

class SerialDeviceTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_handle != kInvalidSerialHandle)
            CloseSerialDevice(m_handle);
    }

    PtyPair m_pty;
    SerialHandle m_handle = kInvalidSerialHandle;
};

TEST_F(SerialDeviceTest, OpensRawAtStandardAndFastRatesAndMovesBytesBothWays)
{
    for (const int baud : {115200, 921600}) {
        m_handle = OpenSerialDevice(m_pty.SlaveName(), baud);
        ASSERT_NE(m_handle, kInvalidSerialHandle) << baud;

        termios settings{};
        ASSERT_EQ(tcgetattr(m_handle, &settings), 0);
        EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(settings.c_oflag & OPOST, 0u);
        EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
        EXPECT_EQ(settings.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));

        // Bytes that cooked mode would alter: CR, LF, XOFF, DEL, interrupt.
        const std::vector<uint8_t> tricky = Bytes({0x0D, 0x0A, 0x13, 0x7F, 0x03, 0x6C, 0xB9, 0x00});
        m_pty.WriteToSlave(tricky);
        EXPECT_EQ(ReadDevice(m_handle, tricky.size()), tricky);
        const SerialWriteResult result = WriteSerial(m_handle, tricky.data(), tricky.size());
        EXPECT_EQ(result.m_status, SerialWriteResult::kWritten);
        EXPECT_EQ(result.m_count, tricky.size());
        EXPECT_EQ(m_pty.ReadFromSlave(tricky.size()), tricky);

        CloseSerialDevice(m_handle);
        m_handle = kInvalidSerialHandle;
    }
}

TEST_F(SerialDeviceTest, RefusesMissingDevicesAndUnusableRates)
{
    EXPECT_EQ(OpenSerialDevice("/dev/orvane-no-such-port", 115200), kInvalidSerialHandle);
    EXPECT_EQ(OpenSerialDevice("", 115200), kInvalidSerialHandle);
    EXPECT_EQ(OpenSerialDevice(m_pty.SlaveName(), 0), kInvalidSerialHandle);
    EXPECT_EQ(OpenSerialDevice(m_pty.SlaveName(), -9600), kInvalidSerialHandle);
    // A regular file is no tty: its configuration fails.
    EXPECT_EQ(OpenSerialDevice("/proc/self/status", 115200), kInvalidSerialHandle);
}

TEST_F(SerialDeviceTest, SecondOpenOfTheSameDeviceFailsUntilTheFirstCloses)
{
    m_handle = OpenSerialDevice(m_pty.SlaveName(), 115200);
    ASSERT_NE(m_handle, kInvalidSerialHandle);
    EXPECT_EQ(OpenSerialDevice(m_pty.SlaveName(), 115200), kInvalidSerialHandle);
    int exclusive = 0;
    ASSERT_EQ(ioctl(m_handle, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1); // the refused opener left the holder's flag alone
    CloseSerialDevice(m_handle);
    m_handle = OpenSerialDevice(m_pty.SlaveName(), 115200);
    EXPECT_NE(m_handle, kInvalidSerialHandle);
}

TEST_F(SerialDeviceTest, OpenPurgesBytesThatWaitedBefore)
{
    m_pty.WriteToSlave(Bytes({1, 2, 3}));
    m_handle = OpenSerialDevice(m_pty.SlaveName(), 115200);
    ASSERT_NE(m_handle, kInvalidSerialHandle);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadSerialAvailable(m_handle, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST_F(SerialDeviceTest, WaitEndsWithTheStopSignalAndReportsWaitingBytes)
{
    m_handle = OpenSerialDevice(m_pty.SlaveName(), 115200);
    ASSERT_NE(m_handle, kInvalidSerialHandle);
    StopSignal stop;
    stop.Signal();
    EXPECT_EQ(WaitSerialReadable(m_handle, stop), SerialWait::kStopped);
    stop.Reset();
    m_pty.WriteToSlave(Bytes({9}));
    EXPECT_EQ(WaitSerialReadable(m_handle, stop), SerialWait::kReadable);
}

// Faults the real device never shows on demand, through the call table.
namespace fault {

std::atomic<int> g_interruptions{0};
std::atomic<int> g_closes{0};

ssize_t InterruptedRead(int fd, void* buffer, size_t count)
{
    if (g_interruptions.fetch_sub(1) > 0) {
        errno = EINTR;
        return -1;
    }
    return RealPosixCalls().read(fd, buffer, count);
}

int CountingClose(int fd)
{
    ++g_closes;
    return RealPosixCalls().close(fd);
}

} // namespace fault

TEST_F(SerialDeviceTest, InterruptedCallsAreRetried)
{
    m_handle = OpenSerialDevice(m_pty.SlaveName(), 115200);
    ASSERT_NE(m_handle, kInvalidSerialHandle);
    m_pty.WriteToSlave(Bytes({7, 8}));
    PosixCalls calls = RealPosixCalls();
    calls.read = fault::InterruptedRead;
    ScopedPosixCalls scope(calls);
    fault::g_interruptions = 3;
    EXPECT_EQ(ReadDevice(m_handle, 2), Bytes({7, 8}));
}

// A pty stores any rate, so a refusal can only be staged.
TEST_F(SerialDeviceTest, RateTheDriverDoesNotKeepMakesOpenFailAndCloseTheDevice)
{
    PosixCalls calls = RealPosixCalls();
    calls.ioctl = RateSettlingIoctl;
    calls.close = fault::CountingClose;
    ScopedPosixCalls scope(calls);

    SetSettledBaudRate(9600, RealPosixCalls().ioctl);
    fault::g_closes = 0;
    EXPECT_EQ(OpenSerialDevice(m_pty.SlaveName(), 115200), kInvalidSerialHandle);
    EXPECT_EQ(fault::g_closes, 1);

    // A driver rounding to its nearest divisor is not refusing.
    SetSettledBaudRate(115384, RealPosixCalls().ioctl);
    m_handle = OpenSerialDevice(m_pty.SlaveName(), 115200);
    EXPECT_NE(m_handle, kInvalidSerialHandle);
}

} // namespace
