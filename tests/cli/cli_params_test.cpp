#include "cli_fixture.h"

#include "link/gimbal_session.h"
#include "params/param_file.h"

#include <algorithm>
#include <regex>

#include <sys/stat.h>

namespace {

using CliParams = CliFixture;

// Replaces the value of `key` in a parameter file's text.
std::string WithValue(const std::string& text, const std::string& key, const std::string& value)
{
    return std::regex_replace(text, std::regex("\n" + key + "=[^\r\n]*"), "\n" + key + "=" + value);
}

TEST_F(CliParams, DownloadWritesTheFileTheWindowSaveWrites)
{
    SimProcess gimbal = Gimbal();
    const ProcessResult result = Cli({"download", "--port", gimbal.Port(), File("cli.rkdp")});
    ASSERT_EQ(result.m_exit_status, 0) << result.m_err;
    EXPECT_EQ(result.m_out, "Parameter Download Successful\n");

    // The window's way: connect, let the first download finish, save the record.
    GimbalSession session(10, false);
    ASSERT_TRUE(session.StartLink(gimbal.Port(), 115200));
    ASSERT_TRUE(session.PumpUntil([&] { return session.State().m_transfer_active == 0; },
                                  GimbalSession::Clock::now() + std::chrono::seconds(5)));
    ASSERT_TRUE(SaveParamFile(File("window.rkdp"), session.State().m_params.Snapshot()));
    const std::string written = ReadWholeFile(File("cli.rkdp"));
    EXPECT_EQ(written, ReadWholeFile(File("window.rkdp")));
    EXPECT_NE(written.find("m_mtr_cal_par="), std::string::npos);
}

TEST_F(CliParams, UploadOfTheDownloadedSetLeavesTheGimbalUnchanged)
{
    SimProcess gimbal = Gimbal();
    ASSERT_EQ(Cli({"download", "--port", gimbal.Name(), File("before.rkdp")}).m_exit_status, 0);
    const ProcessResult upload = Cli({"upload", "--port", gimbal.Name(), File("before.rkdp"), "--flash"});
    ASSERT_EQ(upload.m_exit_status, 0) << upload.m_err;
    EXPECT_EQ(upload.m_out, "Parameter Upload Successful\nSave Parameter To Flash Successful\n"
                            "Read back: every field as in the file\n");
    ASSERT_EQ(Cli({"download", "--port", gimbal.Name(), File("after.rkdp")}).m_exit_status, 0);
    EXPECT_EQ(ReadWholeFile(File("before.rkdp")), ReadWholeFile(File("after.rkdp")));

    const ProcessResult diff = Cli({"diff", File("before.rkdp"), gimbal.StateFile()});
    EXPECT_EQ(diff.m_exit_status, 0);
    EXPECT_EQ(diff.m_out, "") << "the flashed set is the downloaded one";
}

TEST_F(CliParams, UploadRefusesWhatLoadingWouldTakeSilently)
{
    SimProcess gimbal = Gimbal();
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("good.rkdp")}).m_exit_status, 0);
    const std::string good = ReadWholeFile(File("good.rkdp"));
    // 12.5 would go as 12, 300 would wrap to 44, "7x" would go as 7.
    std::string text = WithValue(good, "m_roll_pid_kp", "12.5");
    text = WithValue(text, "m_pitch_pid_kp", "300");
    WriteWholeFile(File("edited.rkdp"), WithValue(text, "m_chan_map_1", "7x"));
    // A block whose last byte is changed fails its check; a short one has the wrong length.
    std::string corrupted = good;
    const size_t block = corrupted.find("m_mtr_cal_par=") + 14 + 271;
    corrupted[block] = corrupted[block] == '0' ? '1' : '0';
    WriteWholeFile(File("corrupted.rkdp"), corrupted);
    WriteWholeFile(File("short.rkdp"), WithValue(good, "m_mtr_cal_par", "00FF"));

    const ProcessResult edited = Cli({"upload", "--port", gimbal.Port(), File("edited.rkdp")});
    EXPECT_EQ(edited.m_exit_status, 3);
    EXPECT_EQ(edited.m_out, "");
    EXPECT_NE(
        edited.m_err.find("cannot be uploaded as it stands; nothing was uploaded:\n"
                          "  m_chan_map_1=7x: not a whole number\n"
                          "  m_roll_pid_kp=12.5: the frame cannot carry it; the gimbal would receive 12\n"
                          "  m_pitch_pid_kp=300: the frame cannot carry it; the gimbal would receive 44\n"),
        std::string::npos)
        << edited.m_err;
    for (const char* name : {"corrupted.rkdp", "short.rkdp"}) {
        const ProcessResult result = Cli({"upload", "--port", gimbal.Port(), File(name), "--json"});
        EXPECT_EQ(result.m_exit_status, 3) << name;
        EXPECT_NE(result.m_err.find("motor calibration block"), std::string::npos) << result.m_err;
        EXPECT_EQ(result.m_out.rfind("{\"error\":", 0), 0u) << result.m_out;
    }
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("still.rkdp")}).m_exit_status, 0);
    EXPECT_EQ(ReadWholeFile(File("still.rkdp")), good);
}

// A gimbal's read-back may hold values the window's panel refuses (a sign
// byte 0xFF reads as -1, nothing clamps the stall power): restoring such a set
// and copying it to another gimbal both go through, byte for byte, with the
// values named; --strict refuses them as the panel would.
TEST_F(CliParams, ASetReadFromAGimbalGoesBackAndToAnotherGimbalAsItCame)
{
    {
        SimProcess factory = Gimbal();
        ASSERT_EQ(Cli({"download", "--port", factory.Port(), File("factory.rkdp")}).m_exit_status, 0);
    }
    const std::string odd = WithValue(WithValue(ReadWholeFile(File("factory.rkdp")), "m_sensor_x_sign", "-1"),
                                      "m_stuck_power", "150");
    // A simulator named "odd" keeps its flash in odd.rkdp.
    WriteWholeFile(File("odd.rkdp"), odd);
    SimProcess first(Folder(), {"--seed", "7"}, "odd");
    ASSERT_EQ(Cli({"download", "--port", first.Port(), File("back.rkdp")}).m_exit_status, 0);
    const std::string back = ReadWholeFile(File("back.rkdp"));
    ASSERT_NE(back.find("\nm_sensor_x_sign=-1\n"), std::string::npos);
    ASSERT_NE(back.find("\nm_stuck_power=150\n"), std::string::npos);

    const ProcessResult strict = Cli({"upload", "--port", first.Port(), File("back.rkdp"), "--strict"});
    EXPECT_EQ(strict.m_exit_status, 3);
    EXPECT_NE(strict.m_err.find("  m_sensor_x_sign=-1: the panel accepts 0..1\n"
                                "  m_stuck_power=150: the panel accepts whole numbers 0..100\n"),
              std::string::npos)
        << strict.m_err;

    const std::string warning = "Warning: sent as written, outside the window panel's ranges (2 values; "
                                "--strict refuses them):\n"
                                "  m_sensor_x_sign=-1: the panel accepts 0..1\n"
                                "  m_stuck_power=150: the panel accepts whole numbers 0..100\n";
    const ProcessResult restored = Cli({"upload", "--port", first.Port(), File("back.rkdp"), "--flash"});
    ASSERT_EQ(restored.m_exit_status, 0) << restored.m_err;
    EXPECT_EQ(restored.m_out,
              "Parameter Upload Successful\n" + warning +
                  "Save Parameter To Flash Successful\nRead back: every field as in the file\n");
    EXPECT_EQ(Cli({"diff", File("back.rkdp"), first.StateFile()}).m_out, "") << "flashed as downloaded";

    SimProcess second = Gimbal();
    const ProcessResult copied =
        Cli({"upload", "--port", second.Port(), File("back.rkdp"), "--flash", "--json"});
    ASSERT_EQ(copied.m_exit_status, 0) << copied.m_err;
    EXPECT_NE(copied.m_out.find(R"("warnings":[{"key":"m_sensor_x_sign","value":"-1","reason":"the panel )"
                                R"(accepts 0..1"},{"key":"m_stuck_power","value":"150")"),
              std::string::npos)
        << copied.m_out;
    ASSERT_EQ(Cli({"download", "--port", second.Port(), File("copy.rkdp")}).m_exit_status, 0);
    EXPECT_EQ(ReadWholeFile(File("copy.rkdp")), back);
}

TEST_F(CliParams, AValueTheFrameCannotCarryIsRefusedBeforeAnythingIsSent)
{
    SimProcess gimbal = Gimbal();
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("set.rkdp")}).m_exit_status, 0);
    // The gimbal-type box takes any item index, but the page carries one byte.
    WriteWholeFile(File("wide.rkdp"), WithValue(ReadWholeFile(File("set.rkdp")), "m_gimbal_type", "300"));

    const ProcessResult result = Cli({"upload", "--port", gimbal.Port(), File("wide.rkdp")});
    EXPECT_EQ(result.m_exit_status, 3) << result.m_err;
    EXPECT_NE(
        result.m_err.find("  m_gimbal_type=300: the frame cannot carry it; the gimbal would receive 44\n"),
        std::string::npos)
        << result.m_err;
}

TEST_F(CliParams, CorruptedFramesDoNotCorruptTheDownload)
{
    SimProcess clean = Gimbal();
    SimProcess noisy = Gimbal({"--crc-error-rate", "0.3", "--garbage-rate", "0.01"});
    ASSERT_EQ(Cli({"download", "--port", clean.Port(), File("clean.rkdp")}).m_exit_status, 0);
    const ProcessResult result = Cli({"download", "--port", noisy.Port(), File("noisy.rkdp")});
    ASSERT_EQ(result.m_exit_status, 0) << result.m_err;
    EXPECT_EQ(ReadWholeFile(File("noisy.rkdp")), ReadWholeFile(File("clean.rkdp")));
}

TEST_F(CliParams, APortThatVanishesMidTransferEndsTheUploadAtOnce)
{
    // The controller goes away when the upload reaches its third page.
    SimProcess gimbal = Gimbal({"--hang-up-at-page", "3"});
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("set.rkdp")}).m_exit_status, 0);
    const auto started = std::chrono::steady_clock::now();
    const ProcessResult result =
        Cli({"upload", "--port", gimbal.Port(), File("set.rkdp"), "--timeout", "30"});
    EXPECT_EQ(result.m_exit_status, 3);
    EXPECT_NE(result.m_err.find("was lost during the parameter upload"), std::string::npos) << result.m_err;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "not at the time-out";
}

TEST_F(CliParams, DiffListsTheFieldsThatDifferByKey)
{
    SimProcess gimbal = Gimbal();
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("a.rkdp")}).m_exit_status, 0);
    std::string text = WithValue(ReadWholeFile(File("a.rkdp")), "m_gimbal_alpha", "7.25");
    WriteWholeFile(File("b.rkdp"), WithValue(text, "m_camera_opts", "0xFF"));

    const ProcessResult result = Cli({"diff", File("a.rkdp"), File("b.rkdp")});
    ASSERT_EQ(result.m_exit_status, 1) << "as diff(1): the sets differ";
    EXPECT_NE(result.m_out.find("\t0x000000FF\n"), std::string::npos) << result.m_out;
    EXPECT_NE(result.m_out.find("m_gimbal_alpha\t"), std::string::npos);
    EXPECT_EQ(std::count(result.m_out.begin(), result.m_out.end(), '\n'), 2);

    const ProcessResult missing = Cli({"diff", File("a.rkdp"), File("none.rkdp"), "--json"});
    EXPECT_EQ(missing.m_exit_status, 3);
    EXPECT_NE(missing.m_err.find("cannot read"), std::string::npos);
    EXPECT_EQ(missing.m_out.rfind("{\"error\":", 0), 0u) << missing.m_out;
    EXPECT_EQ(Cli({"diff", File("a.rkdp"), File("a.rkdp")}).m_exit_status, 0);
}

TEST_F(CliParams, WhatIsNoParameterFileIsNeitherComparedNorUploaded)
{
    SimProcess gimbal = Gimbal();
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("a.rkdp")}).m_exit_status, 0);
    WriteWholeFile(File("empty.rkdp"), "");
    WriteWholeFile(File("Setting.ini"), "[Setting]\nLAN=EN\n");
    const std::string fifo = File("fifo.rkdp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::pair<std::string, std::string>> cases{
        {File("empty.rkdp"), "is not a parameter file"},
        {File("Setting.ini"), "is not a parameter file"},
        {fifo, "not a regular file"},
        {Folder(), "not a regular file"},
    };
    for (const auto& [path, error] : cases) {
        const ProcessResult diff = Cli({"diff", File("a.rkdp"), path});
        EXPECT_EQ(diff.m_exit_status, 3) << path;
        EXPECT_NE(diff.m_err.find(error), std::string::npos) << diff.m_err;
        const ProcessResult upload = Cli({"upload", "--port", gimbal.Port(), path});
        EXPECT_EQ(upload.m_exit_status, 3) << path;
        EXPECT_NE(upload.m_err.find(error), std::string::npos) << upload.m_err;
        EXPECT_EQ(upload.m_err.find("calibration"), std::string::npos) << upload.m_err;
    }
}

TEST_F(CliParams, MissingKeysGoOutOnlyWhenAllowedAndAreListed)
{
    SimProcess gimbal = Gimbal();
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("set.rkdp")}).m_exit_status, 0);
    std::string text =
        std::regex_replace(ReadWholeFile(File("set.rkdp")), std::regex("\nm_roll_pid_kp=[^\n]*"), "");
    WriteWholeFile(File("partial.rkdp"), text);

    const ProcessResult refused = Cli({"upload", "--port", gimbal.Port(), File("partial.rkdp")});
    EXPECT_EQ(refused.m_exit_status, 3);
    EXPECT_NE(refused.m_err.find("nothing was uploaded:\n  m_roll_pid_kp: missing\n"
                                 "--allow-missing sends the defaults of the missing keys\n"),
              std::string::npos)
        << refused.m_err;

    const ProcessResult allowed =
        Cli({"upload", "--port", gimbal.Port(), File("partial.rkdp"), "--allow-missing"});
    ASSERT_EQ(allowed.m_exit_status, 0) << allowed.m_err;
    EXPECT_EQ(allowed.m_out, "Parameter Upload Successful\nDefaults sent for 1 missing keys:\n"
                             "  m_roll_pid_kp=0\nRead back: every field as in the file\n");
}

TEST_F(CliParams, ClampingIsOptInAndListsEveryChange)
{
    SimProcess gimbal = Gimbal();
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("set.rkdp")}).m_exit_status, 0);
    std::string text = WithValue(ReadWholeFile(File("set.rkdp")), "m_roll_pid_kp", "999");
    WriteWholeFile(File("wild.rkdp"), WithValue(text, "m_pitch_pid_kp", "-5"));

    EXPECT_EQ(Cli({"upload", "--port", gimbal.Port(), File("wild.rkdp")}).m_exit_status, 3);
    const ProcessResult clamped = Cli({"upload", "--port", gimbal.Port(), File("wild.rkdp"), "--clamp"});
    ASSERT_EQ(clamped.m_exit_status, 0) << clamped.m_err;
    EXPECT_EQ(clamped.m_out, "Parameter Upload Successful\nClamped 2 values (key, file, sent):\n"
                             "  m_roll_pid_kp\t999\t255\n  m_pitch_pid_kp\t-5\t0\n"
                             "Read back: every field as in the file\n");
}

TEST_F(CliParams, AFailedFlashSaysTheUploadItselfSucceeded)
{
    SimProcess gimbal = Gimbal({"--fail", "3"});
    ASSERT_EQ(Cli({"download", "--port", gimbal.Port(), File("set.rkdp")}).m_exit_status, 0);
    const ProcessResult result = Cli({"upload", "--port", gimbal.Port(), File("set.rkdp"), "--flash"});
    EXPECT_EQ(result.m_exit_status, 1);
    EXPECT_NE(result.m_err.find("Failed; the upload to the gimbal's working memory had succeeded"),
              std::string::npos)
        << result.m_err;
}

} // namespace
