// Measures the sender's interval at the far end of a pseudo-terminal: the
// time between the arrivals of consecutive frames, and how far the schedule
// drifts over the run. The same figures taken when each frame is built tell
// the sender's own jitter from the pty's delivery.
// Usage: bench_sender_interval_bench [seconds] [period_ms]

#include "link/ckrq_serial_port.h"
#include "link/sender_thread.h"
#include "platform/periodic_timer.h"
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
#include <utility>
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

struct IntervalFigures {
    size_t m_frames = 0;
    double m_min = 0, m_median = 0, m_p99 = 0, m_max = 0;
    double m_drift = 0; // last event minus where the schedule puts it, ms
};

IntervalFigures Figures(const std::vector<Clock::time_point>& events, int period_ms)
{
    IntervalFigures figures;
    figures.m_frames = events.size();
    std::vector<double> intervals;
    for (size_t i = 1; i < events.size(); ++i)
        intervals.push_back(Milliseconds(events[i] - events[i - 1]));
    if (intervals.empty())
        return figures;
    figures.m_min = *std::min_element(intervals.begin(), intervals.end());
    figures.m_median = Percentile(intervals, 0.5);
    figures.m_p99 = Percentile(intervals, 0.99);
    figures.m_max = *std::max_element(intervals.begin(), intervals.end());
    figures.m_drift =
        Milliseconds(events.back() - events.front()) - period_ms * static_cast<double>(intervals.size());
    return figures;
}

void PrintReport(const IntervalFigures& far_end, const IntervalFigures& built, int period_ms, double seconds)
{
    std::printf("sender interval, period %d ms, %.0f s, %.0f frames expected\n", period_ms, seconds,
                seconds * 1000.0 / period_ms);
    std::printf("%-22s %14s %14s\n", "measure", "far end", "when built");
    std::printf("%-22s %14zu %14zu\n", "frames", far_end.m_frames, built.m_frames);
    const std::pair<const char*, double IntervalFigures::*> rows[] = {
        {"min interval ms", &IntervalFigures::m_min},
        {"median interval ms", &IntervalFigures::m_median},
        {"p99 interval ms", &IntervalFigures::m_p99},
        {"max interval ms", &IntervalFigures::m_max},
        {"drift over run ms", &IntervalFigures::m_drift}};
    for (const auto& [name, figure] : rows)
        std::printf("%-22s %14.3f %14.3f\n", name, far_end.*figure, built.*figure);
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const int period_ms = argc > 2 ? std::atoi(argv[2]) : 10;
    Pty pty;
    if (seconds <= 0 || !IsUsableSendPeriod(period_ms) || !OpenRawPty(pty)) {
        std::fprintf(stderr, "usage: %s [seconds > 0] [period_ms 1..%d]\n", argv[0], LongestTimerPeriodMs());
        return 2;
    }
    CKRQSerialPort port;
    if (!port.Open(pty.m_name, 115200)) {
        std::fprintf(stderr, "cannot open %s\n", pty.m_name);
        return 1;
    }
    std::atomic<int> period{period_ms};
    const ProtocolFrame frame = IdleFrame();
    // Written by the sender thread only; read after it has been joined.
    std::vector<Clock::time_point> built;
    built.reserve(static_cast<size_t>(seconds * 1000.0 / period_ms) + 100);
    SenderThread sender(port, period, [&] {
        if (built.size() < built.capacity())
            built.push_back(Clock::now());
        return frame;
    });
    RaiseCurrentThreadPriority();
    sender.Start();
    const std::vector<Clock::time_point> arrivals = CollectArrivals(
        pty.m_master,
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)));
    sender.Stop();
    PrintReport(Figures(arrivals, period_ms), Figures(built, period_ms), period_ms, seconds);
    close(pty.m_master);
    close(pty.m_slave);
    return 0;
}
