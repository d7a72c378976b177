#include "cli_fixture.h"

#include "support/poll_until.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <future>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using CliMonitor = CliFixture;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

size_t Columns(const std::string& row)
{
    return std::count(row.begin(), row.end(), ',') + 1;
}

TEST_F(CliMonitor, LinesShowOneLivePageEachAndTheCsvRecordsEveryFrame)
{
    SimProcess gimbal = Gimbal({"--hw-fault", "crys,mtr1-status=10"});
    const ProcessResult result =
        Cli({"monitor", "--port", gimbal.Port(), "--lines", "--count", "3", "--csv", File("frames.csv")});
    ASSERT_EQ(result.m_exit_status, 0) << result.m_err;
    const std::vector<std::string> lines = Lines(result.m_out);
    ASSERT_EQ(lines.size(), 3u) << result.m_out;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind("ANGL ", 0), 0u) << line;
        EXPECT_NE(line.find("  V2.3  HWER (M: CRYS [LED1], S: MTR1 [0x0A])"), std::string::npos) << line;
    }

    const std::vector<std::string> rows = Lines(ReadWholeFile(File("frames.csv")));
    ASSERT_GT(rows.size(), 3u + 6u) << "a header, the six download pages and the live pages";
    EXPECT_EQ(rows[0].rfind("time_s,ack,page,angle_roll_deg,", 0), 0u);
    for (const std::string& row : rows) {
        EXPECT_EQ(Columns(row), Columns(rows[0])) << row;
    }
    const auto live_rows = std::count_if(rows.begin(), rows.end(), [](const std::string& row) {
        return row.find(",33,") != std::string::npos;
    });
    EXPECT_GE(live_rows, 3);
}

TEST_F(CliMonitor, JsonGivesOneObjectPerLivePage)
{
    SimProcess gimbal = Gimbal();
    const ProcessResult result = Cli({"monitor", "--port", gimbal.Port(), "--json", "--count", "2"});
    ASSERT_EQ(result.m_exit_status, 0) << result.m_err;
    const std::vector<std::string> lines = Lines(result.m_out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("{\"angle\":[", 0), 0u);
    EXPECT_NE(lines[0].find(R"("version":"V2.3","versions":["MAIN: V2.3",)"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(R"("hardware":"HWOK","faults":[],)"), std::string::npos);
    EXPECT_NE(lines[1].find(R"("frame":2})"), std::string::npos);
}

TEST_F(CliMonitor, CtrlCEndsCleanlyWithTheCsvComplete)
{
    SimProcess gimbal = Gimbal();
    const pid_t cli =
        StartCli({"monitor", "--port", gimbal.Port(), "--csv", File("live.csv")}, Folder(), "monitor");
    // Interrupted once it has recorded a good number of rows.
    EXPECT_TRUE(PollUntil([&] { return Lines(ReadWholeFile(File("live.csv"))).size() > 20; }));
    kill(cli, SIGINT);
    const ProcessResult result = FinishCli(cli, Folder(), "monitor");
    EXPECT_EQ(result.m_exit_status, 0) << result.m_err;
    EXPECT_EQ(result.m_out.find('\r'), std::string::npos) << "no live line into a file";
    EXPECT_EQ(result.m_out.rfind("ANGL ", 0), 0u);
    EXPECT_EQ(result.m_out.back(), '\n');

    const std::string csv = ReadWholeFile(File("live.csv"));
    ASSERT_EQ(csv.back(), '\n') << "no row cut short";
    const std::vector<std::string> rows = Lines(csv);
    EXPECT_GT(rows.size(), 20u);
    EXPECT_EQ(Columns(rows.back()), Columns(rows.front()));
}

TEST_F(CliMonitor, AGimbalThatFallsSilentEndsWithATimeOut)
{
    SimProcess gimbal = Gimbal({"--silent-after", "0.5"});
    const ProcessResult result = Cli({"monitor", "--port", gimbal.Port(), "--lines", "--timeout", "0.5"});
    EXPECT_EQ(result.m_exit_status, 2);
    EXPECT_FALSE(result.m_out.empty());
    // A page-34 frame may still follow the last page 33 before the silence.
    EXPECT_NE(result.m_err.find("(live status page 33): "), std::string::npos) << result.m_err;
}

TEST_F(CliMonitor, OtherFramesWithoutStatusPagesEndWithATimeOut)
{
    SimProcess gimbal = Gimbal({"--ignore-page", "33"});
    const ProcessResult result = Cli({"monitor", "--port", gimbal.Port(), "--lines", "--timeout", "0.5"});
    EXPECT_EQ(result.m_exit_status, 2);
    EXPECT_EQ(result.m_out, "");
    EXPECT_NE(result.m_err.find("(live status page 33): "), std::string::npos) << result.m_err;
    EXPECT_NE(result.m_err.find("valid frames, none of them the one awaited"), std::string::npos)
        << result.m_err;
    EXPECT_EQ(result.m_err.find(": 0 valid frames"), std::string::npos) << result.m_err;
}

TEST_F(CliMonitor, ARecordingNeverReplacesAnExistingFileUnasked)
{
    SimProcess gimbal = Gimbal();
    const std::string earlier = "time_s,ack,page\n0.010,0,33\n";
    WriteWholeFile(File("run.csv"), earlier);
    const std::vector<std::string> wrong_port{"monitor", "--port", File("no-such-port"), "--count",
                                              "1",       "--csv",  File("run.csv")};

    // A wrong port must not cost the earlier recording, even with --force.
    for (const bool force : {false, true}) {
        std::vector<std::string> arguments = wrong_port;
        if (force) {
            arguments.push_back("--force");
        }
        EXPECT_EQ(Cli(arguments).m_exit_status, 3);
        EXPECT_EQ(ReadWholeFile(File("run.csv")), earlier) << "--force " << force;
    }
    const ProcessResult unasked =
        Cli({"monitor", "--port", gimbal.Port(), "--count", "1", "--csv", File("run.csv")});
    EXPECT_EQ(unasked.m_exit_status, 3);
    EXPECT_NE(unasked.m_err.find("exists; --force replaces it"), std::string::npos) << unasked.m_err;
    EXPECT_EQ(ReadWholeFile(File("run.csv")), earlier);

    const ProcessResult forced =
        Cli({"monitor", "--port", gimbal.Port(), "--count", "1", "--csv", File("run.csv"), "--force"});
    ASSERT_EQ(forced.m_exit_status, 0) << forced.m_err;
    EXPECT_GT(Lines(ReadWholeFile(File("run.csv"))).size(), 2u);
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "run.csv" || name.find("run.csv") == std::string::npos)
            << "a temporary file left behind: " << entry.path();
    }
}

// Devices and FIFOs take the rows in place, as a shell redirection would,
// without --force and without being replaced; folders and sockets are
// refused; a new file gets the umask's permissions.
TEST_F(CliMonitor, TheCsvGoesIntoDevicesAndFifosInPlace)
{
    SimProcess gimbal = Gimbal();
    const ProcessResult null_device =
        Cli({"monitor", "--port", gimbal.Port(), "--count", "1", "--csv", "/dev/null"});
    EXPECT_EQ(null_device.m_exit_status, 0) << null_device.m_err;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

    const std::string fifo = File("rows.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::future<std::string> reader = std::async(std::launch::async, [&] { return ReadWholeFile(fifo); });
    const ProcessResult piped = Cli({"monitor", "--port", gimbal.Port(), "--count", "2", "--csv", fifo});
    EXPECT_EQ(piped.m_exit_status, 0) << piped.m_err;
    if (reader.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK)); // the monitor never wrote: end the reader
    }
    const std::vector<std::string> rows = Lines(reader.get());
    ASSERT_GT(rows.size(), 2u);
    EXPECT_EQ(rows[0].rfind("time_s,ack,page,", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    const ProcessResult folder = Cli({"monitor", "--port", gimbal.Port(), "--count", "1", "--csv", Folder()});
    EXPECT_EQ(folder.m_exit_status, 3);
    EXPECT_NE(folder.m_err.find("is a folder, not a file"), std::string::npos) << folder.m_err;

    const mode_t old_mask = ::umask(022);
    const ProcessResult fresh =
        Cli({"monitor", "--port", gimbal.Port(), "--count", "1", "--csv", File("fresh.csv")});
    ::umask(old_mask);
    ASSERT_EQ(fresh.m_exit_status, 0) << fresh.m_err;
    EXPECT_EQ(std::filesystem::status(File("fresh.csv")).permissions(), std::filesystem::perms(0644));
}

} // namespace
