#include "cli_fixture.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using CliCommands = CliFixture;

TEST_F(CliCommands, ACommandPrintsTheGimbalsAnswer)
{
    SimProcess gimbal = Gimbal();
    const ProcessResult run = Cli({"command", "--port", gimbal.Port(), "run"});
    EXPECT_EQ(run.m_exit_status, 0) << run.m_err;
    EXPECT_EQ(run.m_out, "Gimbal Run Successful\n");

    const ProcessResult photo = Cli({"command", "--port", gimbal.Name(), "photo", "--json"});
    EXPECT_EQ(photo.m_exit_status, 0);
    EXPECT_EQ(photo.m_out, R"({"command":"photo","code":17,"result":"Camera Photo Command Send Successful",)"
                           R"("success":true,"ack_code":17})"
                           "\n");
}

TEST_F(CliCommands, AFailureCodeGivesStatusOne)
{
    SimProcess gimbal = Gimbal({"--fail", "1,3"});
    const ProcessResult run = Cli({"command", "--port", gimbal.Port(), "run"});
    EXPECT_EQ(run.m_exit_status, 1);
    EXPECT_EQ(run.m_out, "Gimbal Run Failed\n");

    const ProcessResult flash = Cli({"command", "--port", gimbal.Port(), "save-flash"});
    EXPECT_EQ(flash.m_exit_status, 1);
    EXPECT_EQ(flash.m_out, "Save Parameter To Flash Failed\n");
}

TEST_F(CliCommands, ConfirmedCommandsNeedYesAndGuardedOnesTheGimbalsConsent)
{
    SimProcess allowed = Gimbal({"--cal-seconds", "0.1"});
    const ProcessResult unconfirmed = Cli({"command", "--port", allowed.Port(), "motor-zero"});
    EXPECT_EQ(unconfirmed.m_exit_status, 3);
    EXPECT_NE(unconfirmed.m_err.find("\"Calibrate Motor Zero ?\": confirm with --yes"), std::string::npos);

    const ProcessResult calibrated = Cli({"command", "--port", allowed.Port(), "gyro-cal", "--yes"});
    EXPECT_EQ(calibrated.m_exit_status, 0) << calibrated.m_err;
    EXPECT_EQ(calibrated.m_out, "Gyro Calibration Successful\n");

    SimProcess refusing = Gimbal({"--no-cal"});
    const ProcessResult refused = Cli({"command", "--port", refusing.Port(), "gyro-cal", "--yes"});
    EXPECT_EQ(refused.m_exit_status, 1);
    EXPECT_EQ(refused.m_out, "Conditions Not Satisfied\n");
    // Not guarded: sent whatever the flag says.
    const ProcessResult zero = Cli({"command", "--port", refusing.Port(), "gimbal-zero", "--yes"});
    EXPECT_NE(zero.m_out.find("Gimbal Zero Calibration"), std::string::npos) << zero.m_err;
}

TEST_F(CliCommands, AutostopStopsTheGimbalBeforeTheCommand)
{
    SimProcess gimbal = Gimbal();
    const ProcessResult run = Cli({"command", "--port", gimbal.Port(), "run", "--autostop"});
    EXPECT_EQ(run.m_exit_status, 0) << run.m_err;
    EXPECT_EQ(run.m_out, "Gimbal Run Successful\n");
}

TEST_F(CliCommands, ATimeOutNamesWhatDidNotCome)
{
    SimProcess silent = Gimbal({"--silent-after", "0"});
    const auto start = std::chrono::steady_clock::now();
    const ProcessResult result = Cli({"command", "--port", silent.Port(), "run", "--timeout", "0.5"});
    EXPECT_EQ(result.m_exit_status, 2);
    EXPECT_NE(result.m_err.find("time-out"), std::string::npos) << result.m_err;
    EXPECT_NE(result.m_err.find("(parameter download): no bytes at all"), std::string::npos) << result.m_err;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // What a wrong baud rate looks like: bytes, but never a valid frame.
    SimProcess garbled = Gimbal({"--crc-error-rate", "1"});
    const ProcessResult crc = Cli({"command", "--port", garbled.Port(), "run", "--timeout", "0.5"});
    EXPECT_EQ(crc.m_exit_status, 2);
    EXPECT_NE(crc.m_err.find("bytes but no valid frame"), std::string::npos) << crc.m_err;
    EXPECT_NE(crc.m_err.find("failed their CRC; is the baud rate right?"), std::string::npos) << crc.m_err;
    EXPECT_EQ(crc.m_err.find(" 0 failed their CRC"), std::string::npos) << crc.m_err;

    SimProcess deaf = Gimbal({"--ignore-page", "20"});
    const ProcessResult stuck = Cli({"download", "--port", deaf.Port(), File("x.rkdp"), "--timeout", "0.3"});
    EXPECT_EQ(stuck.m_exit_status, 2);
    EXPECT_NE(stuck.m_err.find("valid frames, none of them the one awaited"), std::string::npos)
        << stuck.m_err;
    EXPECT_FALSE(std::filesystem::exists(File("x.rkdp"))) << "nothing written from half a download";

    SimProcess calibrating = Gimbal({"--cal-seconds", "30"});
    const ProcessResult busy =
        Cli({"command", "--port", calibrating.Port(), "gyro-cal", "--yes", "--timeout", "0.5"});
    EXPECT_EQ(busy.m_exit_status, 2);
    EXPECT_NE(busy.m_err.find("(gyro-cal command): a calibration is still running"), std::string::npos)
        << busy.m_err;
}

TEST_F(CliCommands, PortErrorsNameTheirCause)
{
    const ProcessResult missing = Cli({"monitor", "--port", File("no-such-tty")});
    EXPECT_EQ(missing.m_exit_status, 3);
    EXPECT_NE(missing.m_err.find("does not exist"), std::string::npos) << missing.m_err;

    const ProcessResult unknown = Cli({"monitor", "--port", "no-such-port-name"});
    EXPECT_EQ(unknown.m_exit_status, 3);
    EXPECT_NE(unknown.m_err.find("no port named 'no-such-port-name'"), std::string::npos);

    SimProcess gimbal = Gimbal();
    const int holder = open(gimbal.Port().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    const ProcessResult held = Cli({"command", "--port", gimbal.Port(), "run"});
    close(holder);
    EXPECT_EQ(held.m_exit_status, 3);
    EXPECT_NE(held.m_err.find("is in use by another program"), std::string::npos) << held.m_err;
}

TEST_F(CliCommands, PortsListsThePublishedSimulator)
{
    SimProcess gimbal = Gimbal();
    const ProcessResult text = Cli({"ports"});
    EXPECT_EQ(text.m_exit_status, 0);
    EXPECT_NE(text.m_out.find(gimbal.Name() + "\t" + gimbal.Port() + "\n"), std::string::npos) << text.m_out;
    const ProcessResult json = Cli({"ports", "--json"});
    EXPECT_NE(json.m_out.find(R"({"name":")" + gimbal.Name() + R"(","path":")" + gimbal.Port() + "\"}"),
              std::string::npos);
}

TEST_F(CliCommands, EveryCommandHasHelpAndUsageErrorsPointToIt)
{
    for (const char* command : {"ports", "monitor", "download", "upload", "command", "diff"}) {
        const ProcessResult help = Cli({command, "--help"});
        EXPECT_EQ(help.m_exit_status, 0) << command;
        EXPECT_EQ(help.m_out.rfind(std::string("Usage: orvane-cli ") + command, 0), 0u) << help.m_out;
    }
    EXPECT_EQ(Cli({"--help"}).m_out.rfind("Usage: orvane-cli COMMAND", 0), 0u);

    const ProcessResult bad = Cli({"upload", "--port", "P"});
    EXPECT_EQ(bad.m_exit_status, 3);
    EXPECT_EQ(bad.m_err, "orvane-cli: upload expects FILE.rkdp\nRun 'orvane-cli upload --help' for usage.\n");
    const ProcessResult name = Cli({"command", "--port", "P", "dance"});
    EXPECT_EQ(name.m_exit_status, 3);
    EXPECT_NE(name.m_err.find("unknown command name 'dance'"), std::string::npos);
}

} // namespace
