#pragma once

#include <cerrno>
#include <poll.h>
#include <sys/types.h>
#include <termios.h>

// The system calls the serial link and its sender's timer make, gathered in one table so that tests
// can replace single entries and drive the EINTR, EAGAIN, EIO and hang-up
// paths without a device. Every entry defaults to the real call. Tests swap
// the table only while no link thread is running.
struct PosixCalls {
    int (*open)(const char* path, int flags);
    int (*close)(int fd);
    ssize_t (*read)(int fd, void* buffer, size_t count);
    ssize_t (*write)(int fd, const void* buffer, size_t count);
    int (*poll)(pollfd* fds, nfds_t count, int timeout_ms);
    int (*ioctl)(int fd, unsigned long request, void* argument);
    int (*tcgetattr)(int fd, termios* attributes);
    int (*tcsetattr)(int fd, int when, const termios* attributes);
    int (*tcflush)(int fd, int queue);
    int (*flock)(int fd, int operation);
    int (*timerfd_create)(int clock_id, int flags);
};

// The table of real calls.
const PosixCalls& RealPosixCalls();

// The table in use.
const PosixCalls& Posix();

// Puts `calls` in use for the life of the object and restores the previous
// table afterwards.
class ScopedPosixCalls {
public:
    explicit ScopedPosixCalls(const PosixCalls& calls);
    ~ScopedPosixCalls();
    ScopedPosixCalls(const ScopedPosixCalls&) = delete;
    ScopedPosixCalls& operator=(const ScopedPosixCalls&) = delete;

private:
    PosixCalls m_previous;
};

// Repeats `call` while it fails with EINTR: a signal that interrupts a call
// is never a reason to give up on it.
template <typename Call> auto RetryOnInterrupt(Call call)
{
    for (;;) {
        auto result = call();
        if (result != -1 || errno != EINTR)
            return result;
    }
}
