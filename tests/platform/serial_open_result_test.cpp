#include "platform/fake_baud_driver.h"
#include "platform/pty_pair.h"
#include "platform/serial_device.h"
#include "platform/system_calls_posix.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>

namespace {

// Opens `device` and returns why it failed; a handle that did open is closed.
PortOpenResult OpenCause(const std::string& device, int baud = 115200)
{
    PortOpenResult why{PortOpenCause::kOther, -1};
    const SerialHandle handle = OpenSerialDevice(device, baud, &why);
    if (handle != kInvalidSerialHandle)
        CloseSerialDevice(handle);
    return why;
}

TEST(SerialOpenCause, RealDevicesAndFilesReportTheirCause)
{
    PtyPair pty;
    ScratchFolder folder{"open-cause"};
    const std::string plain = folder.File("plain");
    std::ofstream(plain) << "x";

    EXPECT_EQ(OpenCause(pty.SlaveName()).cause, PortOpenCause::kNone);
    EXPECT_EQ(OpenCause(pty.SlaveName()).error_number, 0);
    EXPECT_EQ(OpenCause(folder.File("gone")).cause, PortOpenCause::kMissing);
    EXPECT_EQ(OpenCause(folder.File("gone")).error_number, ENOENT);
    EXPECT_EQ(OpenCause("").cause, PortOpenCause::kMissing);
    EXPECT_EQ(OpenCause(plain).cause, PortOpenCause::kNotSerial);
    EXPECT_EQ(OpenCause("/dev/null").cause, PortOpenCause::kNotSerial);
    EXPECT_EQ(OpenCause(pty.SlaveName(), 0).cause, PortOpenCause::kConfigRefused);
    EXPECT_EQ(OpenCause(pty.SlaveName(), -9600).cause, PortOpenCause::kConfigRefused);
}

TEST(SerialOpenCause, ADeviceHeldByAnotherOpenIsBusy)
{
    PtyPair pty;
    const SerialHandle holder = OpenSerialDevice(pty.SlaveName(), 115200);
    ASSERT_NE(holder, kInvalidSerialHandle);
    const PortOpenResult why = OpenCause(pty.SlaveName());
    EXPECT_EQ(why.cause, PortOpenCause::kBusy);
    EXPECT_EQ(why.error_number, EWOULDBLOCK);
    CloseSerialDevice(holder);
}

// Causes a test running as root cannot produce, staged through the table.
std::atomic<int> g_open_errno{0};

int RefusingOpen(const char*, int)
{
    errno = g_open_errno;
    return -1;
}

TEST(SerialOpenCause, RefusalsOfTheOpenCallAreSortedByErrno)
{
    PosixCalls calls = RealPosixCalls();
    calls.open = RefusingOpen;
    ScopedPosixCalls scope(calls);
    const std::pair<int, PortOpenCause> cases[] = {
        {EACCES, PortOpenCause::kPermission}, {EPERM, PortOpenCause::kPermission},
        {EBUSY, PortOpenCause::kBusy},        {ENXIO, PortOpenCause::kMissing},
        {EMFILE, PortOpenCause::kOther},
    };
    for (const auto& [error_number, cause] : cases) {
        g_open_errno = error_number;
        const PortOpenResult why = OpenCause("/dev/ttyUSB0");
        EXPECT_EQ(why.cause, cause) << error_number;
        EXPECT_EQ(why.error_number, error_number);
    }
}

TEST(SerialOpenCause, ARateTheDriverDoesNotKeepIsARefusedConfiguration)
{
    PtyPair pty;
    PosixCalls calls = RealPosixCalls();
    calls.ioctl = RateSettlingIoctl;
    ScopedPosixCalls scope(calls);
    SetSettledBaudRate(9600, RealPosixCalls().ioctl);
    EXPECT_EQ(OpenCause(pty.SlaveName()).cause, PortOpenCause::kConfigRefused);
}

TEST(SerialOpenCause, DescriptionsNameTheCauseAndTheFix)
{
    ScratchFolder folder{"open-cause"};
    const std::string device = folder.File("port");
    std::ofstream(device) << "x";
    struct stat info {};
    ASSERT_EQ(stat(device.c_str(), &info), 0);
    const group* owner = getgrgid(info.st_gid);
    const std::string group_name = owner != nullptr ? owner->gr_name : std::to_string(info.st_gid);

    EXPECT_EQ(DescribePortOpenFailure({PortOpenCause::kMissing, ENOENT}, device, 115200),
              "port '" + device + "' does not exist");
    EXPECT_EQ(DescribePortOpenFailure({PortOpenCause::kPermission, EACCES}, device, 115200),
              "permission denied on port '" + device + "': the user must be in the group '" + group_name +
                  "' that owns the device (sudo usermod -aG " + group_name +
                  " \"$USER\", then log out and in again)");
    EXPECT_EQ(DescribePortOpenFailure({PortOpenCause::kBusy, EWOULDBLOCK}, device, 115200),
              "port '" + device + "' is in use by another program");
    EXPECT_EQ(DescribePortOpenFailure({PortOpenCause::kNotSerial, ENOTTY}, device, 115200),
              "'" + device + "' is not a serial device");
    EXPECT_EQ(DescribePortOpenFailure({PortOpenCause::kConfigRefused, 0}, device, 250000),
              "port '" + device + "' refused the configuration (8-N-1 at 250000 baud)");
    EXPECT_EQ(DescribePortOpenFailure({PortOpenCause::kOther, EMFILE}, device, 115200),
              "cannot open port '" + device + "': " + std::strerror(EMFILE));
    EXPECT_EQ(DescribePortOpenFailure({}, device, 115200), "");
}

} // namespace
