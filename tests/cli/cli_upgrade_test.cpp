#include "cli_fixture.h"

#include <cstdlib>
#include <filesystem>

namespace {

// The firmware commands, run as a user would: pack an image, look at the
// file, install it with a parameter backup first.
class CliUpgrade : public CliFixture {
protected:
    void SetUp() override { setenv("XDG_DATA_HOME", File("data").c_str(), 1); }
    void TearDown() override { unsetenv("XDG_DATA_HOME"); }

    // Packs a 12000-byte image for `board` as version 2.4.
    std::string PackedFirmware(const std::string& board = "1")
    {
        std::string image(12000, '\0');
        for (size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<char>(i * 17);
        WriteWholeFile(File("image.bin"), image);
        const std::string file = File("fw-" + board + ".cahf");
        const ProcessResult packed =
            Cli({"fwpack", File("image.bin"), "--board", board, "--version", "2.4", "-o", file});
        EXPECT_EQ(packed.m_exit_status, 0) << packed.m_err;
        return file;
    }
};

TEST_F(CliUpgrade, PacksAndDescribesAFirmwareFile)
{
    const std::string file = PackedFirmware("7");
    const ProcessResult info = Cli({"fwinfo", file, "--json"});
    EXPECT_EQ(info.m_exit_status, 0) << info.m_err;
    EXPECT_NE(info.m_out.find(R"("board":7,"version":"V2.4","image_size":12000,"sha256":")"),
              std::string::npos)
        << info.m_out;

    std::string bytes = ReadWholeFile(file);
    bytes[70] ^= 1;
    WriteWholeFile(file, bytes);
    const ProcessResult damaged = Cli({"fwinfo", file});
    EXPECT_EQ(damaged.m_exit_status, 3);
    EXPECT_NE(damaged.m_err.find("SHA-256"), std::string::npos) << damaged.m_err;

    EXPECT_EQ(Cli({"fwpack", File("image.bin"), "--board", "1", "-o", file}).m_exit_status, 3)
        << "a version is required";
}

TEST_F(CliUpgrade, BacksUpTheParametersThenInstallsTheFirmware)
{
    SimProcess gimbal = Gimbal();
    const ProcessResult run = Cli({"upgrade", PackedFirmware(), "--port", gimbal.Name(), "--json"});
    ASSERT_EQ(run.m_exit_status, 0) << run.m_err;
    EXPECT_NE(run.m_out.find(R"("old_version":"V2.3","new_version":"V2.4")"), std::string::npos) << run.m_out;
    const std::filesystem::path backups = File("data/orvane/backups");
    ASSERT_TRUE(std::filesystem::is_directory(backups));
    const auto backup = *std::filesystem::directory_iterator(backups);
    EXPECT_TRUE(backup.path().filename().string().ends_with("-V2.3.rkdp")) << backup.path();
    EXPECT_NE(run.m_out.find(backup.path().string()), std::string::npos);

    const ProcessResult monitor = Cli({"monitor", "--port", gimbal.Port(), "--count", "1", "--lines"});
    EXPECT_NE(monitor.m_out.find(" V2.4 "), std::string::npos) << monitor.m_out;
}

TEST_F(CliUpgrade, ExitStatusesFollowTheOtherCommands)
{
    SimProcess other_board = Gimbal({"--board-id", "2"});
    const ProcessResult refused =
        Cli({"upgrade", PackedFirmware(), "--port", other_board.Port(), "--no-backup"});
    EXPECT_EQ(refused.m_exit_status, 1);
    EXPECT_NE(refused.m_err.find("nothing was erased"), std::string::npos) << refused.m_err;

    const ProcessResult no_port = Cli({"upgrade", PackedFirmware(), "--port", File("nothing-here")});
    EXPECT_EQ(no_port.m_exit_status, 3);

    const ProcessResult no_file = Cli({"upgrade", File("missing.cahf"), "--port", other_board.Port()});
    EXPECT_EQ(no_file.m_exit_status, 3);
    EXPECT_NE(no_file.m_err.find("the controller was not touched"), std::string::npos) << no_file.m_err;
}

} // namespace
