// The receive path from the queue to the decoder, on arbitrary line bytes:
// the bounded queue keeps exactly the newest bytes in order, and a frame
// the decoder rejects changes nothing at all.
#include "fuzz_input.h"
#include "link/receive_queue.h"
#include "protocol/frame_decoder.h"
#include "protocol/frame_synchroniser.h"

#include <deque>

namespace {

class CountingView : public ProtocolView {
public:
    void ShowStatus(int, Rgb) override { ++m_calls; }
    void ClearStatus() override { ++m_calls; }
    void RefreshTelemetry(TelemetryRefresh) override { ++m_calls; }
    void OnDownloadFinished(const GimbalParams&) override { ++m_calls; }
    void EnableTransferButtons(bool) override { ++m_calls; }

    int m_calls = 0;
};

struct Snapshot {
    uint8_t m_command, m_page;
    int32_t m_transfer_active, m_autostop_count;
    int m_view_calls;
    std::vector<uint8_t> m_telemetry;

    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TransactionState& state, const TelemetryState& telemetry, const CountingView& view)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&telemetry);
    return {state.m_command,        state.m_page, state.m_transfer_active,
            state.m_autostop_count, view.m_calls, std::vector<uint8_t>(bytes, bytes + sizeof telemetry)};
}

// Decodes every frame the bytes complete; a rejected one must leave no trace.
void Decode(const std::vector<uint8_t>& bytes, FrameSynchroniser& synchroniser, FrameDecoder& decoder,
            const TransactionState& state, const TelemetryState& telemetry, const CountingView& view)
{
    for (const uint8_t byte : bytes) {
        if (!synchroniser.FeedSyncByte(byte))
            continue;
        const Snapshot before = Take(state, telemetry, view);
        if (!decoder.DecodeFrame(synchroniser.Frame()))
            FUZZ_CHECK(Take(state, telemetry, view) == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const size_t capacity = 1 + input.Byte() % 200;
    ReceiveQueue queue(capacity);
    std::deque<uint8_t> model;
    TransactionState state;
    state.m_autostop = input.Byte() & 1;
    TelemetryState telemetry{};
    CountingView view;
    FrameDecoder decoder(state, telemetry, view);
    FrameSynchroniser synchroniser;
    std::vector<uint8_t> slice;
    uint64_t taken = 0;
    while (true) {
        const uint8_t append = input.Byte();
        const uint8_t take = input.Byte();
        const std::string bytes = input.Text();
        if (bytes.empty() && append == 0 && take == 0)
            break;
        const auto* first = reinterpret_cast<const uint8_t*>(bytes.data());
        queue.Append({first, bytes.size()});
        model.insert(model.end(), first, first + bytes.size());
        while (model.size() > capacity)
            model.pop_front();
        FUZZ_CHECK(queue.Size() == model.size());
        queue.TakeInto(slice, take);
        FUZZ_CHECK(std::equal(slice.begin(), slice.end(), model.begin(), model.begin() + slice.size()));
        model.erase(model.begin(), model.begin() + static_cast<ptrdiff_t>(slice.size()));
        taken += slice.size();
        // Every byte appended is still queued, was taken or was counted as dropped.
        FUZZ_CHECK(queue.AppendedCount() == queue.DroppedCount() + taken + queue.Size());
        Decode(slice, synchroniser, decoder, state, telemetry, view);
    }
    return 0;
}
