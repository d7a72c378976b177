#include "platform/stop_signal.h"

#include "platform/system_calls_posix.h"

#include <cstdint>
#include <stdexcept>
#include <sys/eventfd.h>

StopSignal::StopSignal() : m_handle(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_handle < 0)
        throw std::runtime_error("cannot create a stop signal");
}

StopSignal::~StopSignal()
{
    Posix().close(m_handle);
}

void StopSignal::Signal()
{
    const uint64_t one = 1;
    RetryOnInterrupt([&] { return Posix().write(m_handle, &one, sizeof one); });
}

void StopSignal::Reset()
{
    // A non-blocking read takes the counter back to 0, or fails with EAGAIN
    // when it was 0 already.
    uint64_t count = 0;
    RetryOnInterrupt([&] { return Posix().read(m_handle, &count, sizeof count); });
}

bool StopSignal::IsSignalled() const
{
    pollfd entry{m_handle, POLLIN, 0};
    return RetryOnInterrupt([&] { return Posix().poll(&entry, 1, 0); }) == 1;
}
