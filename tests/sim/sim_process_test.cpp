// Runs the real orvane-sim program on its pseudo-terminal.

#include "protocol/protocol_frame.h"
#include "protocol/telemetry_pages.h"
#include "recording/telemetry_csv.h"
#include "sim_test_frames.h"
#include "support/scratch_folder.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// The PC's end of the link: a raw port, cut into frames on the inbound header.
class PcPort {
public:
    explicit PcPort(const std::string& path) : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios settings{};
        if (m_fd >= 0 && tcgetattr(m_fd, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(m_fd, TCSANOW, &settings);
            tcflush(m_fd, TCIOFLUSH);
        }
    }
    ~PcPort()
    {
        if (m_fd >= 0)
            close(m_fd);
    }

    bool IsOpen() const { return m_fd >= 0; }

    void Send(const ProtocolFrame& frame) { EXPECT_EQ(write(m_fd, frame.data(), frame.size()), 80); }

    // The next frame whose CRC holds, or nothing within the time.
    std::optional<ProtocolFrame> NextValidFrame(std::chrono::milliseconds limit = 2000ms)
    {
        const auto deadline = Clock::now() + limit;
        while (Clock::now() < deadline) {
            if (std::optional<ProtocolFrame> frame = TakeFrame())
                return frame;
            pollfd fd = {m_fd, POLLIN, 0};
            if (poll(&fd, 1, 20) <= 0)
                continue;
            uint8_t buffer[1024];
            const ssize_t count = read(m_fd, buffer, sizeof buffer);
            if (count > 0)
                m_bytes.insert(m_bytes.end(), buffer, buffer + count);
        }
        return std::nullopt;
    }

    // Repeats `request` every 10 ms, as the PC does, until a valid answer
    // satisfies `done`.
    template <typename Done> std::optional<ProtocolFrame> Transact(const ProtocolFrame& request, Done done)
    {
        const auto deadline = Clock::now() + 3s;
        while (Clock::now() < deadline) {
            Send(request);
            std::optional<ProtocolFrame> frame = NextValidFrame(10ms);
            if (frame && done(*frame))
                return frame;
        }
        return std::nullopt;
    }

    size_t rejected = 0;

private:
    std::optional<ProtocolFrame> TakeFrame()
    {
        while (m_bytes.size() >= kFrameSize) {
            if (m_bytes[0] != kInboundHeader0 || m_bytes[1] != kInboundHeader1) {
                m_bytes.erase(m_bytes.begin());
                continue;
            }
            ProtocolFrame frame;
            std::copy_n(m_bytes.begin(), kFrameSize, frame.begin());
            if (CheckFrame(frame)) {
                m_bytes.erase(m_bytes.begin(), m_bytes.begin() + kFrameSize);
                return frame;
            }
            ++rejected;
            m_bytes.erase(m_bytes.begin());
        }
        return std::nullopt;
    }

    int m_fd;
    std::vector<uint8_t> m_bytes;
};

class SimProcessTest : public ::testing::Test {
protected:
    ScratchFolder m_runtime{"sim-test"};
};

} // namespace

TEST_F(SimProcessTest, StreamsFramesAcrossReopensAndUnpublishesOnSigterm)
{
    SimProcess sim(m_runtime.Path(), {"--seed", "1"}, ""); // named after its process id
    const std::string path = sim.Port();
    ASSERT_EQ(path,
              (m_runtime.Path() / "orvane" / "ports" / ("orvane-sim-" + std::to_string(sim.Pid()))).string());
    ASSERT_TRUE(fs::is_symlink(path));

    for (int session = 0; session < 2; ++session) {
        PcPort port(path);
        ASSERT_TRUE(port.IsOpen()) << "session " << session;
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(port.NextValidFrame()) << "session " << session << " frame " << i;
        const std::optional<ProtocolFrame> answer =
            port.Transact(PcFrame(1, 17), [](const ProtocolFrame& f) { return f[kFrameCodeOffset] == 1; });
        ASSERT_TRUE(answer) << "gimbal run acknowledged, session " << session;
        EXPECT_EQ((*answer)[kFramePageOffset], 17);
        port.Send(PcFrame(0, 33));
        EXPECT_EQ(port.rejected, 0u);
    }
    EXPECT_EQ(sim.Kill(SIGTERM), 0);
    EXPECT_FALSE(fs::is_symlink(path));
}

TEST_F(SimProcessTest, ASavedSetSurvivesARestart)
{
    std::string state;
    const auto echo_of = [](uint8_t page) {
        return [page](const ProtocolFrame& f) { return f[kFramePageOffset] == page; };
    };
    {
        SimProcess sim(m_runtime.Path(), {}, "keep");
        state = sim.StateFile();
        const std::string path = sim.Port();
        PcPort port(path);
        ASSERT_TRUE(port.Transact(PcFrame(0, 1, {{23, 77}, {59, 50}}), echo_of(1)));
        ASSERT_TRUE(
            port.Transact(PcFrame(3, 33), [](const ProtocolFrame& f) { return f[kFrameCodeOffset] == 3; }));
        EXPECT_EQ(sim.Kill(SIGINT), 0);
        EXPECT_FALSE(fs::is_symlink(path));
    }
    ASSERT_TRUE(fs::exists(state));
    SimProcess sim(m_runtime.Path(), {}, "keep");
    PcPort port(sim.Port());
    const std::optional<ProtocolFrame> page_a = port.Transact(PcFrame(0, 17), echo_of(17));
    ASSERT_TRUE(page_a);
    EXPECT_EQ((*page_a)[23], 77);
    EXPECT_EQ((*page_a)[59], 50);
    const std::optional<ProtocolFrame> piece = port.Transact(PcFrame(0, 22), echo_of(22));
    ASSERT_TRUE(piece);
    EXPECT_NE((*piece)[55], 0) << "the calibration block passed the loader's check";
    EXPECT_EQ(sim.Kill(SIGTERM), 0);
}

TEST_F(SimProcessTest, ServesARecordingAsItsLiveValues)
{
    TelemetryState recorded{};
    recorded.m_angle[0] = 12.34;
    recorded.m_fgyr[1] = -5.678;
    recorded.m_gyro[2] = 3.4;
    recorded.m_temp_value = 41.25;
    recorded.m_main_version = 57;
    recorded.m_mtr1_status = 10;
    recorded.m_mode_hi = 3;
    recorded.m_mode_lo = 2;
    recorded.m_chan_sens = -0.05;
    ProtocolFrame frame{};
    frame[kFramePageOffset] = kStatusPage;
    const std::string recording = m_runtime.File("field.csv");
    // The second row comes 60 s later: the first holds for the whole test.
    WriteWholeFile(recording, TelemetryCsvHeader() + TelemetryCsvRow(3.0, frame, recorded) +
                                  TelemetryCsvRow(63.0, frame, TelemetryState{}));

    SimProcess sim(m_runtime.Path(), {"--replay", recording});
    PcPort port(sim.Port());
    const std::optional<ProtocolFrame> page = port.Transact(
        PcFrame(0, kStatusPage), [](const ProtocolFrame& f) { return f[kFramePageOffset] == kStatusPage; });
    ASSERT_TRUE(page);
    TelemetryState served{};
    DecodeAttitude(*page, served);
    DecodeStatusPage(*page, served);
    EXPECT_DOUBLE_EQ(served.m_angle[0], 12.34);
    EXPECT_DOUBLE_EQ(served.m_fgyr[1], -5.678);
    EXPECT_DOUBLE_EQ(served.m_gyro[2], 3.4);
    EXPECT_DOUBLE_EQ(served.m_temp_value, 41.25);
    EXPECT_EQ(served.m_main_version, 57);
    EXPECT_EQ(served.m_mtr1_status, 10);
    EXPECT_EQ(served.m_mode_hi, 3);
    EXPECT_EQ(served.m_mode_lo, 2);
    EXPECT_DOUBLE_EQ(served.m_chan_sens, -0.05);
}

TEST_F(SimProcessTest, AnUnreadableRecordingEndsItBeforeAnythingIsPublished)
{
    WriteWholeFile(m_runtime.File("empty.csv"), TelemetryCsvHeader());
    for (const std::string& file : {m_runtime.File("missing.csv"), m_runtime.File("empty.csv")})
        EXPECT_THROW(SimProcess(m_runtime.Path(), {"--replay", file}), std::runtime_error) << file;
    const fs::path ports = m_runtime.Path() / "orvane" / "ports";
    EXPECT_TRUE(!fs::exists(ports) || fs::is_empty(ports));
}
