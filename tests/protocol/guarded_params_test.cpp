#include "protocol/outbound_frame.h"
#include "protocol/transaction_state.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <thread>

namespace {

// A record whose every field depends on `seed`, so a frame built from a mix
// of two records differs from both.
GimbalParams FilledParams(int seed)
{
    GimbalParams params{};
    auto* bytes = reinterpret_cast<uint8_t*>(&params);
    for (size_t i = 0; i < sizeof params; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i);
    // The reals follow one another from the pole pairs to the end; keep them
    // finite and inside the byte ranges.
    const size_t first_real = offsetof(GimbalParams, m_motor0_pole_pairs);
    for (size_t at = first_real; at < sizeof params; at += sizeof(double)) {
        const double real = seed + static_cast<double>((at - first_real) / sizeof(double) % 100);
        std::memcpy(bytes + at, &real, sizeof real);
    }
    return params;
}

TEST(GuardedParams, SenderNeverSeesAHalfWrittenRecord)
{
    const GimbalParams first = FilledParams(3);
    const GimbalParams second = FilledParams(101);
    TransactionState state;
    state.m_params.Replace(first);

    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; !done.load(); ++i)
            state.m_params.Replace(i % 2 ? first : second);
    });

    int mixed = 0;
    for (int i = 0; i < 20000; ++i) {
        const uint8_t page = static_cast<uint8_t>(1 + i % 2);
        state.m_page = page;
        const ProtocolFrame frame = state.BuildNextFrame();
        if (frame != BuildOutboundFrame(0, page, first) && frame != BuildOutboundFrame(0, page, second))
            ++mixed;
    }
    done = true;
    writer.join();
    EXPECT_EQ(mixed, 0);
}

} // namespace
