// Receive-side throughput: the synchroniser and the decoder over a recorded
// stream of mixed inbound frames (live pages with acknowledgements, a full
// parameter read-back, a corrupted frame and line noise), on one core.
// Reported as frames per second.

#include "protocol/frame_synchroniser.h"
#include "protocol/outbound_frame.h"
#include "protocol/param_page_codec.h"
#include "protocol/protocol_session.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class NullView : public ProtocolView {
public:
    void ShowStatus(int, Rgb) override {}
    void ClearStatus() override {}
    void RefreshTelemetry(TelemetryRefresh) override {}
    void OnDownloadFinished(const GimbalParams&) override {}
    void EnableTransferButtons(bool) override {}
};

class OpenPort : public CommandGate {
public:
    bool IsPortOpen() override { return true; }
    bool Confirm(int) override { return true; }
};

ProtocolFrame Inbound(uint8_t ack, uint8_t page, uint8_t seed)
{
    GimbalParams params{};
    params.m_roll_pid_kp = seed;
    for (int i = 0; i < 136; ++i)
        params.m_mtr_cal_par[i] = static_cast<uint8_t>(seed * i);
    // A read-back page has the layout of the matching upload page.
    const uint8_t layout = IsDownloadPage(page) ? static_cast<uint8_t>(page - kReadBackPageDistance) : page;
    ProtocolFrame frame = BuildOutboundFrame(0, layout, params);
    frame[0] = kInboundHeader0;
    frame[1] = kInboundHeader1;
    frame[kFrameCodeOffset] = ack;
    frame[kFramePageOffset] = page;
    for (size_t i = 3; i < 21; ++i)
        frame[i] = static_cast<uint8_t>(seed + i);
    if (!IsDownloadPage(page)) {
        for (size_t i = kFramePayloadOffset; i < kFrameCrcOffset; ++i)
            frame[i] = static_cast<uint8_t>(seed * 7 + i);
    }
    SealFrame(frame);
    return frame;
}

struct RecordedStream {
    std::vector<uint8_t> bytes;
    size_t frames = 0;

    void Add(const ProtocolFrame& frame)
    {
        bytes.insert(bytes.end(), frame.begin(), frame.end());
        ++frames;
    }
};

// 1000 frames: mostly alternating live pages, one read-back of pages 17..22,
// every 50th frame acknowledging a command, every 100th corrupted, and a few
// noise bytes between some frames.
RecordedStream RecordStream()
{
    RecordedStream stream;
    for (int i = 0; i < 1000; ++i) {
        const auto seed = static_cast<uint8_t>(i);
        const uint8_t ack = i % 50 == 0 ? 17 : 0;
        const uint8_t page = (i >= 10 && i < 16) ? static_cast<uint8_t>(17 + i - 10) : (i % 2 ? 34 : 33);
        ProtocolFrame frame = Inbound(ack, page, seed);
        if (i % 100 == 99)
            frame[40] ^= 0x10;
        stream.Add(frame);
        if (i % 37 == 0)
            stream.bytes.insert(stream.bytes.end(), {0x00, 0x6C, 0x13});
    }
    return stream;
}

void BM_ReceiveMixedPages(benchmark::State& bench)
{
    const RecordedStream stream = RecordStream();
    NullView view;
    OpenPort gate;
    ProtocolSession session(view, gate);
    FrameSynchroniser synchroniser;
    for (auto _ : bench) {
        // Start every pass with a download in progress so the read-back
        // pages are stored, not only gated.
        session.State().m_transfer_active = 1;
        session.State().m_page = 17;
        // The receive pump's inner loop: cut frames, decode each at once.
        for (const uint8_t byte : stream.bytes) {
            if (synchroniser.FeedSyncByte(byte))
                session.Decoder().DecodeFrame(synchroniser.Frame());
        }
        benchmark::DoNotOptimize(session.Telemetry().m_angle[0]);
    }
    bench.SetItemsProcessed(static_cast<int64_t>(bench.iterations() * stream.frames));
    bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations() * stream.bytes.size()));
    bench.SetLabel("items = frames");
}
BENCHMARK(BM_ReceiveMixedPages);

void BM_BuildParameterFrame(benchmark::State& bench)
{
    TransactionState state;
    uint8_t page = 1;
    for (auto _ : bench) {
        state.m_page = page;
        benchmark::DoNotOptimize(state.BuildNextFrame());
        page = page == 6 ? 1 : page + 1;
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_BuildParameterFrame);

} // namespace

BENCHMARK_MAIN();
