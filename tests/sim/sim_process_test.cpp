// Runs the real orvane-sim program on its pseudo-terminal.

#include "protocol/protocol_frame.h"
#include "sim_test_frames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// The simulator as a child process with its own runtime folder.
class SimProcess {
public:
    SimProcess(const fs::path& runtime, std::vector<std::string> args)
    {
        const char* program = std::getenv("ORVANE_SIM");
        if (program == nullptr)
            return;
        int out[2];
        if (pipe(out) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            std::vector<char*> argv = {const_cast<char*>(program)};
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(program, argv.data());
            _exit(127);
        }
        close(out[1]);
        m_stdout = out[0];
    }

    ~SimProcess()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_stdout >= 0)
            close(m_stdout);
    }

    pid_t Pid() const { return m_pid; }

    std::string FirstLine()
    {
        std::string line;
        const auto deadline = Clock::now() + 5s;
        char c = 0;
        while (Clock::now() < deadline) {
            pollfd fd = {m_stdout, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0)
                continue;
            if (read(m_stdout, &c, 1) != 1 || c == '\n')
                break;
            line += c;
        }
        return line;
    }

    // Sends `signal` and returns the exit status, or -1 if it does not end.
    int Stop(int signal)
    {
        kill(m_pid, signal);
        const auto deadline = Clock::now() + 5s;
        int status = 0;
        while (Clock::now() < deadline) {
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
};

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
    void SetUp() override
    {
        if (std::getenv("ORVANE_SIM") == nullptr)
            GTEST_SKIP() << "ORVANE_SIM is not set";
        m_runtime = fs::temp_directory_path() / ("orvane-sim-test-" + std::to_string(getpid()));
        fs::remove_all(m_runtime);
        fs::create_directories(m_runtime);
    }
    void TearDown() override { fs::remove_all(m_runtime); }

    fs::path m_runtime;
};

} // namespace

TEST_F(SimProcessTest, StreamsFramesAcrossReopensAndUnpublishesOnSigterm)
{
    SimProcess sim(m_runtime, {"--seed", "1"});
    const std::string path = sim.FirstLine();
    ASSERT_EQ(path, (m_runtime / "orvane" / "ports" / ("orvane-sim-" + std::to_string(sim.Pid()))).string());
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
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(fs::is_symlink(path));
}

TEST_F(SimProcessTest, ASavedSetSurvivesARestart)
{
    const std::string state = (m_runtime / "flash.rkdp").string();
    const auto echo_of = [](uint8_t page) {
        return [page](const ProtocolFrame& f) { return f[kFramePageOffset] == page; };
    };
    {
        SimProcess sim(m_runtime, {"--name", "keep", "--state", state});
        const std::string path = sim.FirstLine();
        PcPort port(path);
        ASSERT_TRUE(port.Transact(PcFrame(0, 1, {{23, 77}, {59, 50}}), echo_of(1)));
        ASSERT_TRUE(
            port.Transact(PcFrame(3, 33), [](const ProtocolFrame& f) { return f[kFrameCodeOffset] == 3; }));
        EXPECT_EQ(sim.Stop(SIGINT), 0);
        EXPECT_FALSE(fs::is_symlink(path));
    }
    ASSERT_TRUE(fs::exists(state));
    SimProcess sim(m_runtime, {"--name", "keep", "--state", state});
    PcPort port(sim.FirstLine());
    const std::optional<ProtocolFrame> page_a = port.Transact(PcFrame(0, 17), echo_of(17));
    ASSERT_TRUE(page_a);
    EXPECT_EQ((*page_a)[23], 77);
    EXPECT_EQ((*page_a)[59], 50);
    const std::optional<ProtocolFrame> piece = port.Transact(PcFrame(0, 22), echo_of(22));
    ASSERT_TRUE(piece);
    EXPECT_NE((*piece)[55], 0) << "the calibration block passed the loader's check";
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
}
