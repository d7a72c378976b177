#include "sim/line_faults.h"
#include "sim/line_pacer.h"

#include "sim_test_frames.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

ProtocolFrame SampleFrame(uint8_t page)
{
    ProtocolFrame frame{};
    frame[0] = kInboundHeader0;
    frame[1] = kInboundHeader1;
    frame[kFramePageOffset] = page;
    SealFrame(frame);
    return frame;
}

struct Totals {
    size_t bytes = 0;
    size_t failed_frames = 0;
};

Totals SendMany(LineFaultOptions options, int frames)
{
    LineFaults faults(options, 42);
    Totals totals;
    for (int i = 0; i < frames; ++i) {
        const std::vector<uint8_t> bytes = faults.Transmit(SampleFrame(static_cast<uint8_t>(i)));
        totals.bytes += bytes.size();
        if (bytes.size() == kFrameSize) {
            ProtocolFrame received;
            std::copy(bytes.begin(), bytes.end(), received.begin());
            totals.failed_frames += CheckFrame(received) ? 0 : 1;
        }
    }
    return totals;
}

} // namespace

TEST(LineFaults, ACleanLinePassesFramesUnchanged)
{
    LineFaults faults({}, 7);
    const ProtocolFrame frame = SampleFrame(33);
    const std::vector<uint8_t> bytes = faults.Transmit(frame);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), frame.begin(), frame.end()));
}

TEST(LineFaults, CrcErrorRateSpoilsThatFractionOfFramesOnly)
{
    EXPECT_EQ(SendMany({1.0, 0, 0}, 200).failed_frames, 200u);
    const Totals quarter = SendMany({0.25, 0, 0}, 4000);
    EXPECT_EQ(quarter.bytes, 4000u * kFrameSize) << "a wrong CRC changes no length";
    EXPECT_NEAR(static_cast<double>(quarter.failed_frames), 1000.0, 120.0);
}

TEST(LineFaults, DropAndGarbageRatesChangeTheByteCount)
{
    EXPECT_EQ(SendMany({0, 1.0, 0}, 10).bytes, 0u);
    EXPECT_NEAR(static_cast<double>(SendMany({0, 0.1, 0}, 1000).bytes), 72000.0, 800.0);
    EXPECT_NEAR(static_cast<double>(SendMany({0, 0, 0.1}, 1000).bytes), 88000.0, 800.0);
}

TEST(LinePacer, ReleasesBytesAtTheLineRate)
{
    LinePacer pacer(115200); // 11520 bytes a second
    EXPECT_EQ(pacer.Allowance(0ms), 0u);
    EXPECT_EQ(pacer.Allowance(5ms), 57u);
    pacer.Consume(57);
    EXPECT_EQ(pacer.Allowance(5ms), 0u);
    EXPECT_GT(pacer.WaitForByte(), 0ns);
    EXPECT_LE(pacer.WaitForByte(), 100us);
    // A long idle spell saves up no more than a short burst.
    EXPECT_LE(pacer.Allowance(10s), 80u);
}

TEST(LinePacer, ASlowLineTakesTheTimeOfAFrame)
{
    LinePacer pacer(9600); // 960 bytes a second: one frame in 83 ms
    size_t sent = 0;
    SimDuration now{0};
    while (sent < kFrameSize) {
        now += 1ms;
        const size_t bytes = pacer.Allowance(now);
        pacer.Consume(bytes);
        sent += bytes;
    }
    const double milliseconds = std::chrono::duration<double, std::milli>(now).count();
    EXPECT_NEAR(milliseconds, 83.3, 1.5);
}
