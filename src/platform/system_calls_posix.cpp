#include "platform/system_calls_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

int RealOpen(const char* path, int flags)
{
    return ::open(path, flags);
}

int RealIoctl(int fd, unsigned long request, void* argument)
{
    return ::ioctl(fd, request, argument);
}

const PosixCalls kRealCalls{RealOpen,    ::close,     ::read,    ::write, ::poll,          RealIoctl,
                            ::tcgetattr, ::tcsetattr, ::tcflush, ::flock, ::timerfd_create};

PosixCalls g_calls = kRealCalls;

} // namespace

const PosixCalls& RealPosixCalls()
{
    return kRealCalls;
}

const PosixCalls& Posix()
{
    return g_calls;
}

ScopedPosixCalls::ScopedPosixCalls(const PosixCalls& calls) : m_previous(g_calls)
{
    g_calls = calls;
}

ScopedPosixCalls::~ScopedPosixCalls()
{
    g_calls = m_previous;
}
