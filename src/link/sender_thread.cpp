#include "link/sender_thread.h"

#include "link/send_frame.h"
#include "platform/periodic_timer.h"
#include "platform/thread_priority.h"

#include <limits>

bool IsUsableSendPeriod(int period_ms)
{
    return period_ms > 0 && period_ms <= LongestTimerPeriodMs();
}

std::string DescribeUnusableSendPeriod(int period_ms)
{
    if (IsUsableSendPeriod(period_ms))
        return {};
    return "no frames are sent: the send period (SENDPRD) is " + std::to_string(period_ms) +
           " ms, this system's timer takes 1 to " + std::to_string(LongestTimerPeriodMs()) + " ms";
}

SenderThread::SenderThread(CKRQSerialPort& port, const std::atomic<int>& period_ms, FrameBuilder build)
    : m_port(port), m_period_ms(period_ms), m_build(std::move(build))
{
}

SenderThread::~SenderThread()
{
    Stop();
}

void SenderThread::Start()
{
    if (m_thread.joinable())
        return;
    m_stop_event.Reset();
    m_thread = std::thread(&SenderThread::Run, this);
    NameThread(m_thread, kSenderThreadName);
}

void SenderThread::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop_event.Signal();
    m_thread.join();
}

// Nothing may escape a thread: a failure to build or send (running out of
// memory) ends the sender quietly; the link then sends no more frames.
void SenderThread::Run()
{
    try {
        SendUntilStopped();
    } catch (...) {
    }
}

void SenderThread::SendUntilStopped()
{
    RaiseCurrentThreadPriority();
    PeriodicTimer timer;
    int remembered = std::numeric_limits<int>::min();
    for (;;) {
        const int period = m_period_ms.load();
        if (period != remembered) {
            remembered = period;
            if (IsUsableSendPeriod(period))
                timer.Arm(period);
            else
                timer.Disarm();
        }
        if (timer.Wait(m_stop_event) == 0)
            return;
        if (m_port.IsOpen())
            SendFrame(m_port, m_build());
    }
}
