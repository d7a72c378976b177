#include "platform/serial_device.h"

#include "platform/serial_baud_posix.h"
#include "platform/system_calls_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

namespace {

// Read size when the driver does not say how many bytes wait.
constexpr size_t kReadChunk = 256;
// A peer that never pauses must not keep one burst going for ever: the
// owner hears about the bytes at least every this many.
constexpr size_t kBurstLimit = size_t{64} * 1024;

// The cause of the failing step with its errno.
PortOpenResult Failure(PortOpenCause cause, int error_number)
{
    return PortOpenResult{cause, error_number};
}

PortOpenResult OpenFailure(int error_number)
{
    switch (error_number) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return Failure(PortOpenCause::kMissing, error_number);
    case EACCES:
    case EPERM:
        return Failure(PortOpenCause::kPermission, error_number);
    case EBUSY:
        return Failure(PortOpenCause::kBusy, error_number);
    default:
        return Failure(PortOpenCause::kOther, error_number);
    }
}

// A path that opens but is no terminal (a file, /dev/null) answers ENOTTY
// to the first terminal call.
PortOpenResult ConfigureFailure(int error_number)
{
    return Failure(error_number == ENOTTY ? PortOpenCause::kNotSerial : PortOpenCause::kConfigRefused,
                   error_number);
}

PortOpenResult ConfigureRaw8N1(int fd)
{
    termios settings{};
    if (Posix().tcgetattr(fd, &settings) != 0)
        return ConfigureFailure(errno);
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD | HUPCL;
    settings.c_cflag &= ~(CSTOPB | CRTSCTS);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    // VMIN 1 keeps "no data" an EAGAIN on the non-blocking descriptor; with
    // VMIN 0 an empty read would return 0 and look like a hang-up.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (Posix().tcsetattr(fd, TCSANOW, &settings) != 0)
        return ConfigureFailure(errno);
    return {};
}

void AssertModemLines(int fd)
{
    // Pseudo-terminals have no modem lines and refuse this; that is fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    Posix().ioctl(fd, TIOCMBIS, &lines);
}

PortOpenResult Configure(int fd, int baud)
{
    const PortOpenResult raw = ConfigureRaw8N1(fd);
    if (!raw.Succeeded())
        return raw;
    // A rate the driver refuses or does not keep sets no errno of its own.
    errno = 0;
    if (!ApplyBaudRate(fd, baud, Posix().ioctl))
        return Failure(PortOpenCause::kConfigRefused, errno);
    AssertModemLines(fd);
    if (Posix().tcflush(fd, TCIOFLUSH) != 0)
        return ConfigureFailure(errno);
    return {};
}

void Release(int fd)
{
    // The exclusive flag belongs to the tty, not to this descriptor: clear
    // it, or the next open of a tty someone else keeps open is refused.
    Posix().ioctl(fd, TIOCNXCL, nullptr);
    Posix().close(fd);
}

// Opens and configures `device`; the descriptor, or -1 and the cause.
int OpenAndConfigure(const std::string& device, int baud, PortOpenResult& why)
{
    const int fd = RetryOnInterrupt(
        [&] { return Posix().open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0) {
        why = OpenFailure(errno);
        return -1;
    }
    // A device locked by another process fails here, before its settings
    // or its exclusive flag are touched.
    if (Posix().flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error_number = errno;
        why =
            Failure(error_number == EWOULDBLOCK ? PortOpenCause::kBusy : PortOpenCause::kOther, error_number);
        Posix().close(fd);
        return -1;
    }
    // Also keeps out programs that do not use flock.
    Posix().ioctl(fd, TIOCEXCL, nullptr);
    why = Configure(fd, baud);
    if (!why.Succeeded()) {
        Release(fd);
        return -1;
    }
    return fd;
}

} // namespace

SerialHandle OpenSerialDevice(const std::string& device, int baud, PortOpenResult* why)
{
    PortOpenResult result;
    const int fd = OpenAndConfigure(device, baud, result);
    if (why != nullptr)
        *why = result;
    return fd < 0 ? kInvalidSerialHandle : fd;
}

void CloseSerialDevice(SerialHandle handle)
{
    Posix().tcflush(handle, TCIOFLUSH);
    Release(handle);
}

SerialWait WaitSerialReadable(SerialHandle handle, const StopSignal& stop)
{
    pollfd entries[2] = {{stop.Handle(), POLLIN, 0}, {handle, POLLIN, 0}};
    if (RetryOnInterrupt([&] { return Posix().poll(entries, 2, -1); }) < 0)
        return SerialWait::kGone;
    if (entries[0].revents != 0)
        return SerialWait::kStopped;
    // Data that arrived before a hang-up is still worth reading.
    if ((entries[1].revents & POLLIN) != 0)
        return SerialWait::kReadable;
    if ((entries[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        return SerialWait::kGone;
    return SerialWait::kReadable;
}

SerialReadResult ReadSerial(SerialHandle handle, uint8_t* buffer, size_t capacity)
{
    const ssize_t got = RetryOnInterrupt([&] { return Posix().read(handle, buffer, capacity); });
    if (got > 0)
        return {static_cast<size_t>(got), true};
    // With a non-blocking descriptor, 0 bytes means hang-up, EAGAIN means
    // the driver is empty.
    return {0, got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)};
}

bool ReadSerialAvailable(SerialHandle handle, std::vector<uint8_t>& bytes)
{
    const size_t limit = bytes.size() + kBurstLimit;
    while (bytes.size() < limit) {
        int waiting = 0;
        if (Posix().ioctl(handle, FIONREAD, &waiting) != 0 || waiting <= 0)
            waiting = static_cast<int>(kReadChunk);
        const size_t start = bytes.size();
        bytes.resize(start + static_cast<size_t>(waiting));
        const SerialReadResult read = ReadSerial(handle, bytes.data() + start, bytes.size() - start);
        bytes.resize(start + read.m_count);
        if (read.m_count == 0)
            return read.m_alive;
    }
    return true;
}

SerialWriteResult WriteSerial(SerialHandle handle, const uint8_t* data, size_t count)
{
    const ssize_t written = RetryOnInterrupt([&] { return Posix().write(handle, data, count); });
    if (written >= 0)
        return {SerialWriteResult::kWritten, static_cast<size_t>(written)};
    if (errno == EAGAIN || errno == EWOULDBLOCK)
        return {SerialWriteResult::kWouldBlock, 0};
    return {SerialWriteResult::kFailed, 0};
}
