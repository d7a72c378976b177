#include "platform/stop_signal.h"

#include "platform/windows_api_win.h"

#include <stdexcept>

// A manual-reset event: it stays signalled until Reset, so every wait that
// looks at it after the stop sees it, and looking does not consume it.
StopSignal::StopSignal() : m_handle(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    if (m_handle == nullptr)
        throw std::runtime_error("cannot create a stop signal");
}

StopSignal::~StopSignal()
{
    CloseHandle(m_handle);
}

void StopSignal::Signal()
{
    SetEvent(m_handle);
}

void StopSignal::Reset()
{
    ResetEvent(m_handle);
}

bool StopSignal::IsSignalled() const
{
    return WaitForSingleObject(m_handle, 0) == WAIT_OBJECT_0;
}
