// Cost of saving and opening a parameter file (98 keys, one atomic rewrite),
// next to a settings file that carries other sections. Reported as files per
// second.

#include "params/param_file.h"
#include "platform/ini_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string BenchPath()
{
    return "/tmp/orvane-bench-" + std::to_string(::getpid()) + ".rkdp";
}

GimbalParams SampleParams()
{
    GimbalParams params{};
    params.m_roll_pid_kp = 120;
    params.m_max_rate_scale = 2.5;
    params.m_camera_opts = 0xA05F;
    params.m_chan_map[2] = 3;
    return params;
}

void BM_SaveParamFile(benchmark::State& state)
{
    const std::string path = BenchPath();
    const GimbalParams params = SampleParams();
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveParamFile(path, params));
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SaveParamFile)->Unit(benchmark::kMicrosecond);

void BM_LoadParamFile(benchmark::State& state)
{
    const std::string path = BenchPath();
    SaveParamFile(path, SampleParams());
    GimbalParams params{};
    for (auto _ : state) {
        LoadParamFile(path, params);
        benchmark::DoNotOptimize(params);
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadParamFile)->Unit(benchmark::kMicrosecond);

// A read from a 10 MB file: one scan of the text.
void BM_ReadFromLargeIni(benchmark::State& state)
{
    IniDocument document = IniDocument::Load("/nonexistent");
    document.Write("Junk", "Huge", std::string(10u << 20, 'x'));
    document.Write("Setting", "LAN", "EN");
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.Read("Setting", "LAN", "CN"));
    }
    state.SetBytesProcessed(state.iterations() * (10 << 20));
}
BENCHMARK(BM_ReadFromLargeIni)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
