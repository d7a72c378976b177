#pragma once

#include "platform/wait_handle.h"

// A flag one thread raises to end another thread's wait. It stays raised
// until Reset, so a stop that arrives before the wait begins is not lost.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void Signal();
    void Reset();
    bool IsSignalled() const;

    // Becomes ready when the signal is raised; for the platform's waits.
    WaitHandle Handle() const { return m_handle; }

private:
    WaitHandle m_handle = kNoWaitHandle;
};
