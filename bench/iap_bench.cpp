// Time to write and verify a 256 KiB firmware image against the simulated
// controller on a paced line, next to the line-rate limit: every byte the
// upgrade sent (image and protocol) at 10 bits a byte. Prints the median of
// --runs upgrades (default 3) per rate.

#include "libs/iap/firmware_file.h"
#include "libs/iap/upgrade_engine.h"
#include "support/scratch_folder.h"
#include "support/sim_process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t kImageSize = 256 * 1024;
constexpr double kTarget = 1.2;

struct Measurement {
    double seconds = 0;
    double limit_seconds = 0;
    uint64_t bytes_sent = 0;
    uint32_t retransmissions = 0;
};

std::string WriteFirmware(const ScratchFolder& folder)
{
    std::mt19937 random(42);
    std::vector<uint8_t> image(kImageSize);
    for (uint8_t& byte : image)
        byte = static_cast<uint8_t>(random());
    const std::vector<uint8_t> bytes = BuildFirmwareFile(image, 1, 24);
    const std::string path = folder.File("bench.cahf");
    WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
}

// One upgrade; false when it did not succeed.
bool Measure(const std::string& port, const std::string& firmware, int baud, Measurement& measurement)
{
    UpgradeOptions options;
    options.m_device = port;
    options.m_firmware_path = firmware;
    options.m_baud = baud;
    StopSignal stop;
    const auto start = std::chrono::steady_clock::now();
    const UpgradeResult result = RunUpgrade(options, stop, {});
    measurement.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measurement.bytes_sent = result.m_bytes_sent;
    measurement.limit_seconds = static_cast<double>(result.m_bytes_sent) * 10.0 / baud;
    measurement.retransmissions = result.m_retransmissions;
    if (result.m_outcome != UpgradeOutcome::kSuccess)
        std::fprintf(stderr, "upgrade at %d baud failed: %s\n", baud, result.m_detail.c_str());
    return result.m_outcome == UpgradeOutcome::kSuccess;
}

Measurement Median(std::vector<Measurement> runs)
{
    std::sort(runs.begin(), runs.end(),
              [](const Measurement& a, const Measurement& b) { return a.seconds < b.seconds; });
    return runs[runs.size() / 2];
}

int RunsFrom(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--runs")
            return std::max(1, std::atoi(argv[i + 1]));
    }
    return 3;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = RunsFrom(argc, argv);
    ScratchFolder folder("iap-bench");
    const std::string firmware = WriteFirmware(folder);
    std::printf("256 KiB image, write and verify, median of %d run(s); limit = bytes sent x 10 bits / baud\n",
                runs);
    std::printf("%8s %12s %10s %10s %7s %8s %s\n", "baud", "bytes sent", "time s", "limit s", "ratio",
                "retrans", "target");
    bool all_met = true;
    for (const int baud : {115200, 921600}) {
        SimProcess controller(folder.Path(), {"--baud", std::to_string(baud), "--seed", "1"});
        std::vector<Measurement> measurements;
        for (int run = 0; run < runs; ++run) {
            Measurement measurement;
            if (!Measure(controller.Port(), firmware, baud, measurement))
                return 1;
            measurements.push_back(measurement);
        }
        const Measurement median = Median(measurements);
        const double ratio = median.seconds / median.limit_seconds;
        all_met = all_met && ratio <= kTarget;
        std::printf("%8d %12llu %10.2f %10.2f %7.3f %8u %s\n", baud,
                    static_cast<unsigned long long>(median.bytes_sent), median.seconds, median.limit_seconds,
                    ratio, median.retransmissions, ratio <= kTarget ? "<= 1.2 met" : "MISSED");
    }
    return all_met ? 0 : 2;
}
