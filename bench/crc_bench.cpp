// Checksum cost: the CRC over one 80-byte frame, and the inbound frame check
// over a stream of valid and corrupted frames. Reported as frames per second.

#include "protocol/crc16.h"
#include "protocol/protocol_frame.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

ProtocolFrame PatternFrame(uint8_t seed)
{
    ProtocolFrame frame{};
    frame[0] = kInboundHeader0;
    frame[1] = kInboundHeader1;
    for (size_t i = 2; i < kFrameCrcOffset; ++i) {
        frame[i] = static_cast<uint8_t>(seed * 31 + i * 7);
    }
    SealFrame(frame);
    return frame;
}

void BM_Crc16OverFrame(benchmark::State& state)
{
    const ProtocolFrame frame = PatternFrame(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(crc16(frame.data(), frame.size(), 0));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kFrameSize));
}
BENCHMARK(BM_Crc16OverFrame);

// One frame in eight carries a flipped bit, as on a noisy line.
void BM_CheckFrameStream(benchmark::State& state)
{
    std::vector<ProtocolFrame> frames;
    for (uint8_t seed = 0; seed < 64; ++seed) {
        frames.push_back(PatternFrame(seed));
        if (seed % 8 == 0) {
            frames.back()[seed % kFrameSize] ^= 0x10;
        }
    }
    size_t valid = 0;
    for (auto _ : state) {
        for (const ProtocolFrame& frame : frames) {
            valid += CheckFrame(frame) ? 1 : 0;
        }
        benchmark::DoNotOptimize(valid);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(frames.size()));
}
BENCHMARK(BM_CheckFrameStream);

} // namespace

BENCHMARK_MAIN();
