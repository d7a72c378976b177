#pragma once

#include "link/byte_transport.h"
#include "platform/stop_signal.h"
#include "protocol/protocol_frame.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
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

// The sender's periodic wake-up: the system's PeriodicTimer in the
// programs; a test's timer ticks when the test says so.
class SendTimer {
public:
    virtual ~SendTimer() = default;
    // First tick one period from now, then every period. False when the
    // timer is refused; it is then disarmed.
    virtual bool Arm(int period_ms) = 0;
    virtual void Disarm() = 0;
    // Waits for the next tick or for `stop`: the ticks since the last wait
    // (at least 1), or 0 when `stop` is raised. A disarmed timer never ticks.
    virtual uint64_t Wait(const StopSignal& stop) = 0;
};

std::unique_ptr<SendTimer> MakeSystemSendTimer();

// The periodic sender: once per send period, while the port is open, one
// frame is built and sent. Ticks that fall while a frame is on its way merge
// into one wake-up; missed ticks are not made up. The period is read on every
// pass, so a change takes effect at the next wake-up; an unusable period
// leaves the thread asleep until it is stopped.
class SenderThread {
public:
    // `timer` null: the system's. The timer is used on the sender thread only.
    SenderThread(ByteTransport& port, const std::atomic<int>& period_ms, FrameBuilder build,
                 std::unique_ptr<SendTimer> timer = nullptr);
    ~SenderThread();
    SenderThread(const SenderThread&) = delete;
    SenderThread& operator=(const SenderThread&) = delete;

    void Start(); // does nothing while running
    void Stop();  // returns once the thread has ended; twice is harmless

private:
    void Run();
    void SendUntilStopped();

    ByteTransport& m_port;
    const std::atomic<int>& m_period_ms;
    FrameBuilder m_build;
    const std::unique_ptr<SendTimer> m_timer;
    StopSignal m_stop_event;
    std::thread m_thread;
};
