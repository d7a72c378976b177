// Measures the sender's interval at the far end of a pseudo-terminal: the
// time between the arrivals of consecutive frames, and how far the schedule
// drifts over the run. Usage: bench_sender_interval [seconds] [period_ms]

#include "link/ckrq_serial_port.h"
#include "link/sender_thread.h"
#include "platform/thread_priority.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Pty {
    int m_master = -1;
    int m_slave = -1;
    char m_name[128] = {};
};

bool OpenRawPty(Pty& pty)
{
    if (openpty(&pty.m_master, &pty.m_slave, pty.m_name, nullptr, nullptr) != 0)
        return false;
    termios settings{};
    tcgetattr(pty.m_slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(pty.m_slave, TCSANOW, &settings);
    return true;
}

ProtocolFrame IdleFrame()
{
    ProtocolFrame frame{};
    frame[0] = kOutboundHeader0;
    frame[1] = kOutboundHeader1;
    SealFrame(frame);
    return frame;
}

// Arrival time of every complete frame read from the master until `end`.
std::vector<Clock::time_point> CollectArrivals(int master, Clock::time_point end)
{
    std::vector<Clock::time_point> arrivals;
    size_t pending = 0;
    uint8_t buffer[4096];
    while (Clock::now() < end) {
        pollfd entry{master, POLLIN, 0};
        if (poll(&entry, 1, 100) != 1)
            continue;
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0)
            break;
        const Clock::time_point now = Clock::now();
        pending += static_cast<size_t>(got);
        for (; pending >= kFrameSize; pending -= kFrameSize)
            arrivals.push_back(now);
    }
    return arrivals;
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

void PrintReport(const std::vector<Clock::time_point>& arrivals, int period_ms, double seconds)
{
    std::vector<double> intervals;
    for (size_t i = 1; i < arrivals.size(); ++i)
        intervals.push_back(Milliseconds(arrivals[i] - arrivals[i - 1]));
    if (intervals.size() < 2) {
        std::printf("too few frames arrived (%zu)\n", arrivals.size());
        return;
    }
    const double span = Milliseconds(arrivals.back() - arrivals.front());
    const double mean = span / static_cast<double>(intervals.size());
    const double expected = seconds * 1000.0 / period_ms;
    std::printf("sender interval at the far end of a pty, period %d ms, %.0f s\n", period_ms, seconds);
    std::printf("%-28s %12s\n", "measure", "value");
    std::printf("%-28s %12zu\n", "frames", arrivals.size());
    std::printf("%-28s %12.0f\n", "frames expected", expected);
    std::printf("%-28s %12.3f ms\n", "min interval", *std::min_element(intervals.begin(), intervals.end()));
    std::printf("%-28s %12.3f ms\n", "median interval", Percentile(intervals, 0.5));
    std::printf("%-28s %12.3f ms\n", "p99 interval", Percentile(intervals, 0.99));
    std::printf("%-28s %12.3f ms\n", "max interval", *std::max_element(intervals.begin(), intervals.end()));
    std::printf("%-28s %12.3f us\n", "mean interval - period", (mean - period_ms) * 1000.0);
    std::printf("%-28s %12.3f ms\n", "drift over the run",
                span - period_ms * static_cast<double>(intervals.size()));
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const int period_ms = argc > 2 ? std::atoi(argv[2]) : 10;
    Pty pty;
    if (seconds <= 0 || !IsUsableSendPeriod(period_ms) || !OpenRawPty(pty)) {
        std::fprintf(stderr, "usage: %s [seconds > 0] [period_ms 1..%d]\n", argv[0], kMaxSendPeriodMs);
        return 2;
    }
    CKRQSerialPort port;
    if (!port.Open(pty.m_name, 115200)) {
        std::fprintf(stderr, "cannot open %s\n", pty.m_name);
        return 1;
    }
    std::atomic<int> period{period_ms};
    const ProtocolFrame frame = IdleFrame();
    SenderThread sender(port, period, [&] { return frame; });
    RaiseCurrentThreadPriority();
    sender.Start();
    const std::vector<Clock::time_point> arrivals = CollectArrivals(
        pty.m_master,
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)));
    sender.Stop();
    PrintReport(arrivals, period_ms, seconds);
    close(pty.m_master);
    close(pty.m_slave);
    return 0;
}
