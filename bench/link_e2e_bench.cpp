// The link from end to end against the simulated controller on a pty:
//  1. command-to-acknowledgement latency, from the button press to the
//     decoded answer, for a paced simulator;
//  2. the receive path's sustained rate with the simulator unpaced: frames
//     decoded per second, frames lost (counted by the simulator's frame
//     numbers) and the receive queue's size, sampled as frames are decoded.
// Usage: bench_link_e2e_bench [commands] [seconds]
// The simulator is ORVANE_SIM, else the one built with this program.

#include "link/gimbal_session.h"
#include "protocol/command_table.h"
#include "sim/frame_sequence.h"
#include "support/scratch_folder.h"
#include "support/sim_process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using Clock = GimbalSession::Clock;
using namespace std::chrono_literals;

constexpr int kSendPeriodMs = 10;
constexpr int kSimPeriodMs = 10;
constexpr int kBaud = 921600;
constexpr auto kPatience = 10s;

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// Starts a session on `sim` and waits for the download every link begins with.
bool StartAndDownload(GimbalSession& session, const SimProcess& sim)
{
    if (!session.StartLink(sim.Port(), kBaud))
        return false;
    return session.PumpUntil([&] { return session.State().m_transfer_buttons_enabled.load(); },
                             Clock::now() + kPatience);
}

// Run and stop in turn; between commands the link idles for a varying time
// so that presses fall at every phase of the two periods.
std::vector<double> CommandLatencies(GimbalSession& session, int count)
{
    std::vector<double> latencies;
    const CommandRow* commands[] = {FindCommandByName("run"), FindCommandByName("stop")};
    for (int i = 0; i < count; ++i) {
        session.PumpUntil([] { return false; }, Clock::now() + std::chrono::milliseconds(5 + (i * 7) % 13));
        const uint64_t acks = session.AckCount();
        const Clock::time_point pressed = Clock::now();
        session.Transactions().RunCommand(*commands[i % 2]);
        if (!session.PumpUntil([&] { return session.AckCount() > acks; }, pressed + kPatience))
            break;
        latencies.push_back(Milliseconds(Clock::now() - pressed));
    }
    return latencies;
}

// Counts decoded frames and the simulator's frames that never got through.
class ThroughputMeter : public SessionObserver {
public:
    explicit ThroughputMeter(GimbalSession& session) : m_session(session) {}

    void OnFrameDecoded(const ProtocolFrame& frame, bool) override
    {
        ++m_frames;
        // The queue is sampled every 64 frames; its largest size per second
        // shows whether it grows over the run.
        if (m_frames % 64 == 0)
            SampleQueue();
        const std::optional<uint32_t> sequence = FrameSequence(frame);
        if (!sequence)
            return;
        if (m_first_sequence) {
            // Frames between two numbered ones that never arrived.
            const uint64_t built = *sequence - m_last_sequence;
            const uint64_t seen = m_frames - m_frames_at_last_sequence;
            m_lost += built > seen ? built - seen : 0;
        } else {
            m_first_sequence = *sequence;
        }
        m_last_sequence = *sequence;
        m_frames_at_last_sequence = m_frames;
    }

    uint64_t m_frames = 0;
    uint64_t m_lost = 0;
    std::vector<size_t> m_max_queue_per_second;

private:
    void SampleQueue()
    {
        const auto second =
            static_cast<size_t>(std::chrono::duration<double>(Clock::now() - m_start).count());
        if (m_max_queue_per_second.size() <= second)
            m_max_queue_per_second.resize(second + 1, 0);
        m_max_queue_per_second[second] =
            std::max(m_max_queue_per_second[second], m_session.QueuedByteCount());
    }

    Clock::time_point m_start = Clock::now();
    GimbalSession& m_session;
    std::optional<uint32_t> m_first_sequence;
    uint32_t m_last_sequence = 0;
    uint64_t m_frames_at_last_sequence = 0;
};

struct ThroughputFigures {
    double m_rate = 0;
    uint64_t m_frames = 0;
    uint64_t m_lost = 0;
    std::vector<size_t> m_max_queue_per_second;
    size_t m_end_queue = 0;
};

ThroughputFigures MeasureThroughput(GimbalSession& session, double seconds)
{
    // Let the link settle into the live pages before counting.
    session.PumpUntil([] { return false; }, Clock::now() + 300ms);
    ThroughputMeter meter(session);
    session.SetObserver(&meter);
    const Clock::time_point start = Clock::now();
    session.PumpUntil([] { return false; }, start + std::chrono::duration_cast<Clock::duration>(
                                                        std::chrono::duration<double>(seconds)));
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    session.SetObserver(nullptr);
    return {static_cast<double>(meter.m_frames) / elapsed, meter.m_frames, meter.m_lost,
            meter.m_max_queue_per_second, session.QueuedByteCount()};
}

void PrintLatencies(const std::vector<double>& latencies, int count)
{
    const double target = kSendPeriodMs + kSimPeriodMs;
    std::printf("command to acknowledgement, send period %d ms, simulator period %d ms\n", kSendPeriodMs,
                kSimPeriodMs);
    std::printf("%-28s %12s\n", "measure", "value");
    std::printf("%-28s %12zu of %d\n", "answered commands", latencies.size(), count);
    if (latencies.empty())
        return;
    std::printf("%-28s %12.3f\n", "median ms", Percentile(latencies, 0.5));
    std::printf("%-28s %12.3f\n", "p99 ms", Percentile(latencies, 0.99));
    const double max = *std::max_element(latencies.begin(), latencies.end());
    std::printf("%-28s %12.3f  (target <= %.0f: %s)\n", "max ms", max, target,
                max <= target ? "met" : "missed");
}

void PrintThroughput(const ThroughputFigures& figures, double seconds)
{
    std::printf("\nreceive path, simulator unpaced, %.1f s\n", seconds);
    std::printf("%-28s %12s\n", "measure", "value");
    std::printf("%-28s %12.0f  (target >= 20000: %s)\n", "frames per second", figures.m_rate,
                figures.m_rate >= 20000 ? "met" : "missed");
    std::printf("%-28s %12llu\n", "frames decoded", static_cast<unsigned long long>(figures.m_frames));
    std::printf("%-28s %12llu  (target 0: %s)\n", "frames lost",
                static_cast<unsigned long long>(figures.m_lost), figures.m_lost == 0 ? "met" : "missed");
    for (size_t second = 0; second < figures.m_max_queue_per_second.size(); ++second)
        std::printf("max queued bytes, second %-3zu %12zu\n", second + 1,
                    figures.m_max_queue_per_second[second]);
    std::printf("%-28s %12zu\n", "queued bytes at the end", figures.m_end_queue);
}

} // namespace

int main(int argc, char** argv)
{
    const int commands = argc > 1 ? std::atoi(argv[1]) : 50;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
    if (commands <= 0 || seconds <= 0) {
        std::fprintf(stderr, "usage: %s [commands > 0] [seconds > 0]\n", argv[0]);
        return 2;
    }
    try {
        ScratchFolder folder("bench");
        {
            SimProcess sim(folder.Path(), {"--period", std::to_string(kSimPeriodMs), "--seed", "1"});
            GimbalSession session(kSendPeriodMs, false);
            if (!StartAndDownload(session, sim)) {
                std::fprintf(stderr, "no link to %s\n", sim.Port().c_str());
                return 1;
            }
            PrintLatencies(CommandLatencies(session, commands), commands);
        }
        SimProcess sim(folder.Path(), {"--unpaced", "--seed", "1"});
        GimbalSession session(kSendPeriodMs, false);
        if (!StartAndDownload(session, sim)) {
            std::fprintf(stderr, "no link to %s\n", sim.Port().c_str());
            return 1;
        }
        PrintThroughput(MeasureThroughput(session, seconds), seconds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
