#pragma once

#include "link/ckrq_serial_port.h"
#include "platform/stop_signal.h"
#include "protocol/protocol_frame.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// Builds the next outbound frame; called on the sender thread.
using FrameBuilder = std::function<ProtocolFrame()>;

// Name of the sender thread, as system tools show it.
inline constexpr const char* kSenderThreadName = "orvane-sender";

// True for a period the sender runs with: 1 ms up to the longest period the
// system's timer takes (on Windows 1,000,000 ms). Any other gives no frames.
bool IsUsableSendPeriod(int period_ms);

// Why a period gives no frames, naming the usable range, for the user to
// see; empty for a usable period.
std::string DescribeUnusableSendPeriod(int period_ms);

// The periodic sender: once per send period, while the port is open, one
// frame is built and sent. Ticks that fall while a frame is on its way merge
// into one wake-up; missed ticks are not made up. The period is read on every
// pass, so a change takes effect at the next wake-up; an unusable period
// leaves the thread asleep until it is stopped.
class SenderThread {
public:
    SenderThread(CKRQSerialPort& port, const std::atomic<int>& period_ms, FrameBuilder build);
    ~SenderThread();
    SenderThread(const SenderThread&) = delete;
    SenderThread& operator=(const SenderThread&) = delete;

    void Start(); // does nothing while running
    void Stop();  // returns once the thread has ended; twice is harmless

private:
    void Run();
    void SendUntilStopped();

    CKRQSerialPort& m_port;
    const std::atomic<int>& m_period_ms;
    FrameBuilder m_build;
    StopSignal m_stop_event;
    std::thread m_thread;
};
