// The Windows serial layer against real COM ports. The ports come from the
// environment: ORVANE_TEST_PORT and ORVANE_TEST_PEER_PORT name two ports
// joined like a null-modem cable (under Wine, tests/wine/null_modem.py);
// ORVANE_TEST_VANISH_FILE names a file whose creation unplugs the first
// port's far end. Tests whose ports are not given are skipped.

#include "platform/serial_device.h"
#include "platform/serial_device_win.h"
#include "platform/serial_timed_wait.h"
#include "platform/stop_signal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <numeric>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Long enough for any healthy transfer; only a fault waits this long.
constexpr auto kPatience = 10s;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Whether a reader started with std::async ends within kPatience. One that
// does not is let go through `stop`, so that the failing test still ends
// (the future's destructor waits for the reader).
bool EndsInTime(std::future<SerialWait>& reader, StopSignal& stop)
{
    if (reader.wait_for(kPatience) == std::future_status::ready)
        return true;
    stop.Signal();
    return false;
}

std::string DevicePath(const std::string& port)
{
    return port.empty() ? port : "\\\\.\\" + port;
}

// An open port, closed at the end of the test.
class OpenPort {
public:
    explicit OpenPort(const std::string& device, int baud = 115200)
        : m_handle(OpenSerialDevice(device, baud, &m_result))
    {
    }
    ~OpenPort()
    {
        if (m_handle != kInvalidSerialHandle)
            CloseSerialDevice(m_handle);
    }
    OpenPort(const OpenPort&) = delete;
    OpenPort& operator=(const OpenPort&) = delete;

    SerialHandle Handle() const { return m_handle; }
    const PortOpenResult& Result() const { return m_result; }

private:
    PortOpenResult m_result{PortOpenCause::kOther, -1};
    SerialHandle m_handle;
};

void WriteAll(SerialHandle handle, const std::vector<uint8_t>& bytes)
{
    StopSignal never;
    size_t sent = 0;
    while (sent < bytes.size()) {
        const SerialWriteResult result = WriteSerial(handle, bytes.data() + sent, bytes.size() - sent);
        ASSERT_NE(result.m_status, SerialWriteResult::kFailed);
        if (result.m_status == SerialWriteResult::kWouldBlock)
            ASSERT_EQ(WaitSerialWritableFor(handle, never, kPatience), SerialTimedWait::kReady);
        else
            sent += result.m_count;
    }
}

// Reads until `count` bytes have come or the wait gives up.
std::vector<uint8_t> ReadCount(SerialHandle handle, size_t count)
{
    StopSignal never;
    std::vector<uint8_t> bytes;
    while (bytes.size() < count &&
           WaitSerialReadableFor(handle, never, kPatience) == SerialTimedWait::kReady) {
        if (!ReadSerialAvailable(handle, bytes))
            break;
    }
    return bytes;
}

// Every byte value, `rounds` times over.
std::vector<uint8_t> AllByteValues(size_t rounds)
{
    std::vector<uint8_t> bytes(256 * rounds);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

bool RunningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(SerialOpenCauseWin, TheSystemsErrorsMapToTheirCauses)
{
    EXPECT_EQ(OpenFailureCause(ERROR_FILE_NOT_FOUND, L"\\\\.\\COM7").cause, PortOpenCause::kMissing);
    EXPECT_EQ(OpenFailureCause(ERROR_ACCESS_DENIED, L"\\\\.\\COM7").cause, PortOpenCause::kBusy);
    EXPECT_EQ(OpenFailureCause(ERROR_ACCESS_DENIED, L"COM12").cause, PortOpenCause::kBusy);
    EXPECT_EQ(OpenFailureCause(ERROR_ACCESS_DENIED, L"\\\\.\\PIPE\\x").cause, PortOpenCause::kPermission);
    EXPECT_EQ(OpenFailureCause(ERROR_SHARING_VIOLATION, L"\\\\.\\COM7").cause, PortOpenCause::kBusy);
    const PortOpenResult other = OpenFailureCause(ERROR_GEN_FAILURE, L"\\\\.\\COM7");
    EXPECT_EQ(other.cause, PortOpenCause::kOther);
    EXPECT_EQ(other.error_number, ERROR_GEN_FAILURE);
    // The system's sentence, not a bare number.
    const std::string text = DescribePortOpenFailure(other, "\\\\.\\COM7", 115200);
    EXPECT_EQ(text.rfind("cannot open port 'COM7': ", 0), 0u) << text;
    EXPECT_GT(text.size(), std::string("cannot open port 'COM7': 31").size()) << text;
}

class SerialDeviceWin : public testing::Test {
protected:
    void SetUp() override
    {
        m_port = DevicePath(Environment("ORVANE_TEST_PORT"));
        m_peer = DevicePath(Environment("ORVANE_TEST_PEER_PORT"));
        if (m_port.empty() || m_peer.empty())
            GTEST_SKIP() << "ORVANE_TEST_PORT and ORVANE_TEST_PEER_PORT name no cable";
    }

    std::string m_port;
    std::string m_peer;
};

TEST_F(SerialDeviceWin, OpensRaw8N1WithLinesUpAndReadsThatReturnAtOnce)
{
    OpenPort port(m_port, 921600);
    ASSERT_TRUE(port.Result().Succeeded()) << DescribePortOpenFailure(port.Result(), m_port, 921600);
    const HANDLE handle = port.Handle()->m_port;
    DCB settings{};
    settings.DCBlength = sizeof settings;
    ASSERT_TRUE(GetCommState(handle, &settings));
    EXPECT_EQ(settings.BaudRate, 921600u);
    EXPECT_EQ(settings.ByteSize, 8);
    EXPECT_EQ(settings.Parity, NOPARITY);
    EXPECT_EQ(settings.StopBits, ONESTOPBIT);
    EXPECT_TRUE(settings.fBinary);
    EXPECT_FALSE(settings.fParity);
    EXPECT_FALSE(settings.fOutxCtsFlow);
    EXPECT_FALSE(settings.fOutxDsrFlow);
    EXPECT_EQ(settings.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
    EXPECT_EQ(settings.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
    COMMTIMEOUTS timeouts{};
    ASSERT_TRUE(GetCommTimeouts(handle, &timeouts));
    EXPECT_EQ(timeouts.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 0u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 0u);
    DWORD mask = 0;
    ASSERT_TRUE(GetCommMask(handle, &mask));
    EXPECT_EQ(mask, static_cast<DWORD>(EV_RXCHAR));
    uint8_t byte = 0;
    const SerialReadResult empty = ReadSerial(port.Handle(), &byte, 1);
    EXPECT_EQ(empty.m_count, 0u);
    EXPECT_TRUE(empty.m_alive);
}

TEST_F(SerialDeviceWin, EveryByteValueCrossesBothWays)
{
    OpenPort port(m_port);
    OpenPort peer(m_peer);
    ASSERT_NE(port.Handle(), kInvalidSerialHandle);
    ASSERT_NE(peer.Handle(), kInvalidSerialHandle);
    // Several rounds: more than one write in flight and more than one read.
    const std::vector<uint8_t> sent = AllByteValues(64);
    WriteAll(port.Handle(), sent);
    EXPECT_EQ(ReadCount(peer.Handle(), sent.size()), sent);
    WriteAll(peer.Handle(), sent);
    EXPECT_EQ(ReadCount(port.Handle(), sent.size()), sent);
}

TEST_F(SerialDeviceWin, BytesLeftUnreadAreGoneAfterReopening)
{
    OpenPort peer(m_peer);
    {
        OpenPort port(m_port);
        WriteAll(peer.Handle(), AllByteValues(1));
        StopSignal never;
        ASSERT_EQ(WaitSerialReadableFor(port.Handle(), never, kPatience), SerialTimedWait::kReady);
    }
    OpenPort port(m_port);
    uint8_t byte = 0;
    EXPECT_EQ(ReadSerial(port.Handle(), &byte, 1).m_count, 0u);
    // The port still works after the purge.
    WriteAll(peer.Handle(), {0x6C, 0xB9});
    EXPECT_EQ(ReadCount(port.Handle(), 2), (std::vector<uint8_t>{0x6C, 0xB9}));
}

TEST_F(SerialDeviceWin, TheReaderWaitsForBytesAndForTheStopSignal)
{
    OpenPort port(m_port);
    OpenPort peer(m_peer);
    StopSignal stop;
    // With nothing sent the wait lasts its whole limit (a driver that ends
    // the wait at once would make the reader spin or quit); left at its
    // limit, it stays pending and serves the next wait.
    EXPECT_EQ(WaitSerialReadableFor(port.Handle(), stop, 100ms), SerialTimedWait::kTimedOut);
    auto waited = std::async(std::launch::async, [&] { return WaitSerialReadable(port.Handle(), stop); });
    WriteAll(peer.Handle(), {1, 2, 3});
    ASSERT_TRUE(EndsInTime(waited, stop));
    EXPECT_EQ(waited.get(), SerialWait::kReadable);
    EXPECT_EQ(ReadCount(port.Handle(), 3), (std::vector<uint8_t>{1, 2, 3}));

    auto stopped = std::async(std::launch::async, [&] { return WaitSerialReadable(port.Handle(), stop); });
    stop.Signal();
    ASSERT_EQ(stopped.wait_for(kPatience), std::future_status::ready);
    EXPECT_EQ(stopped.get(), SerialWait::kStopped);
    // Raised before the wait begins, the stop is not lost.
    EXPECT_EQ(WaitSerialReadable(port.Handle(), stop), SerialWait::kStopped);
    stop.Reset();
    EXPECT_FALSE(stop.IsSignalled());
}

TEST_F(SerialDeviceWin, AMissingPortIsMissing)
{
    OpenPort missing("\\\\.\\COM219");
    EXPECT_EQ(missing.Handle(), kInvalidSerialHandle);
    EXPECT_EQ(missing.Result().cause, PortOpenCause::kMissing);
    EXPECT_EQ(missing.Result().error_number, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DescribePortOpenFailure(missing.Result(), "\\\\.\\COM219", 115200),
              "port 'COM219' does not exist");
}

// Windows' serial drivers refuse a second open of a port; Wine lets it
// through, so under Wine only the cause's wording is checked below.
TEST_F(SerialDeviceWin, APortInUseIsBusy)
{
    OpenPort holder(m_port);
    ASSERT_NE(holder.Handle(), kInvalidSerialHandle);
    OpenPort second(m_port);
    if (second.Handle() != kInvalidSerialHandle && RunningUnderWine())
        GTEST_SKIP() << "Wine opened the port a second time";
    EXPECT_EQ(second.Handle(), kInvalidSerialHandle);
    EXPECT_EQ(second.Result().cause, PortOpenCause::kBusy) << second.Result().error_number;
    EXPECT_EQ(DescribePortOpenFailure(second.Result(), m_port, 115200),
              "port '" + m_port.substr(4) + "' is in use by another program");
}

TEST_F(SerialDeviceWin, ARateTheDriverRefusesClosesThePortAgain)
{
    OpenPort refused(m_port, 0);
    EXPECT_EQ(refused.Handle(), kInvalidSerialHandle);
    EXPECT_EQ(refused.Result().cause, PortOpenCause::kConfigRefused);
    OpenPort port(m_port);
    EXPECT_NE(port.Handle(), kInvalidSerialHandle);
}

TEST_F(SerialDeviceWin, AFarEndThatVanishesEndsTheLink)
{
    const std::string vanish_file = Environment("ORVANE_TEST_VANISH_FILE");
    if (vanish_file.empty())
        GTEST_SKIP() << "ORVANE_TEST_VANISH_FILE is not set";
    OpenPort port(m_port);
    ASSERT_NE(port.Handle(), kInvalidSerialHandle);
    StopSignal stop;
    auto waited = std::async(std::launch::async, [&] { return WaitSerialReadable(port.Handle(), stop); });
    std::ofstream(vanish_file) << "unplugged\n";
    // A write sooner or later finds the line gone.
    const std::vector<uint8_t> frame(80, 0x55);
    SerialWriteResult result{SerialWriteResult::kWritten, 0};
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (result.m_status != SerialWriteResult::kFailed && std::chrono::steady_clock::now() < deadline) {
        result = WriteSerial(port.Handle(), frame.data(), frame.size());
        if (result.m_status == SerialWriteResult::kWouldBlock)
            WaitSerialWritableFor(port.Handle(), stop, kPatience);
    }
    EXPECT_EQ(result.m_status, SerialWriteResult::kFailed);
    // The reader's wait ends too: nothing will arrive any more.
    ASSERT_TRUE(EndsInTime(waited, stop)) << "the wait for input outlived the port";
    EXPECT_EQ(waited.get(), SerialWait::kGone);
}

} // namespace
