#include "params/param_file.h"
#include "params/param_file_check.h"
#include "protocol/crc16.h"
#include "protocol/param_page_codec.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <regex>

#include <sys/stat.h>

namespace {

// A set the panel takes as it is: a valid calibration block, every value in
// range (the pole pairs start at 1).
GimbalParams UploadableSet()
{
    GimbalParams params{};
    for (size_t i = 0; i < 134; ++i) {
        params.m_mtr_cal_par[i] = static_cast<uint8_t>(3 + i * 5);
    }
    const uint16_t crc = crc16(params.m_mtr_cal_par, 134, 0xABCD);
    params.m_mtr_cal_par[134] = static_cast<uint8_t>(crc >> 8);
    params.m_mtr_cal_par[135] = static_cast<uint8_t>(crc & 0xFF);
    params.m_motor0_pole_pairs = params.m_motor1_pole_pairs = params.m_motor2_pole_pairs = 7;
    params.m_roll_pid_kp = 40;
    params.m_angle_min_1 = -90;
    params.m_max_rate_scale = 1.5;
    params.m_camera_opts = 0xA05F;
    return params;
}

class ParamFileCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SaveParamFile(m_path, UploadableSet()));
        m_saved = ReadWholeFile(m_path);
    }

    // The saved file with `key` set to `value`, or without the key.
    StrictParamFile LoadWith(const std::string& key, const std::optional<std::string>& value) const
    {
        const std::regex line("\n" + key + "=[^\n]*");
        WriteWholeFile(m_path, std::regex_replace(m_saved, line, value ? "\n" + key + "=" + *value : ""));
        return LoadParamFileStrictly(m_path);
    }

    ScratchFolder m_folder{"param-check"};
    std::string m_path = m_folder.File("set.rkdp");
    std::string m_saved;
};

TEST_F(ParamFileCheckTest, ASavedSetLoadsWithoutProblems)
{
    const StrictParamFile file = LoadParamFileStrictly(m_path);
    ASSERT_EQ(file.error, "");
    EXPECT_TRUE(file.problems.empty()) << file.problems.front().key << ": " << file.problems.front().reason;
    const GimbalParams expected = UploadableSet();
    EXPECT_EQ(std::memcmp(&file.params, &expected, sizeof expected), 0);
}

TEST_F(ParamFileCheckTest, EachValueLoadingWouldTakeSilentlyIsNamed)
{
    struct Case {
        std::string key;
        std::optional<std::string> value;
        std::string reason;
    };
    const std::vector<Case> cases{
        {"m_gimbal_type", std::nullopt, "missing"},
        {"m_sensor_y_index", "", "not a whole number"},
        {"m_chan_map_2", "3x", "not a whole number"},
        {"m_product_type", "99999999999", "not a whole number"},
        {"m_roll_pid_kp", "12abc", "not a number"},
        {"m_roll_pid_ki", "nan", "not a number"},
        {"m_roll_pid_kd", "1e999", "not a number"},
        {"m_camera_opts", "0x1FFFFFFFF", "not 1 to 8 hexadecimal digits"},
        {"m_camera_opts", "0xG", "not 1 to 8 hexadecimal digits"},
        {"m_mtr_cal_par", "00FF", "motor calibration block"},
        {"m_roll_pid_kp", "300", "the frame cannot carry it; the gimbal would receive 44"},
        {"m_roll_pid_kp", "12.5", "the gimbal would receive 12"},
        {"m_motor0_pole_pairs", "0", "the panel accepts whole numbers 1..255"},
        {"m_angle_min_1", "-40000", "the gimbal would receive 25536"},
        {"m_max_rate_scale", "30", "the gimbal would receive 4.4"},
        {"m_max_rate_scale", "2.26", "the gimbal would receive 2.3"},
        {"m_sensor_x_sign", "2", "the panel accepts 0..1"},
        {"m_sensor_x_sign", "-1", "the panel accepts 0..1"},
        {"m_stuck_power", "150", "the panel accepts whole numbers 0..100"},
        {"m_product_type", "256", "the gimbal would receive 0"},
        {"m_udmode_type", "-1", "the gimbal would receive 255"},
        {"m_udmode_type", "300", "the gimbal would receive 44"},
    };
    for (const Case& test : cases) {
        const StrictParamFile file = LoadWith(test.key, test.value);
        ASSERT_EQ(file.error, "");
        ASSERT_EQ(file.problems.size(), 1u) << test.key << "=" << test.value.value_or("(missing)");
        EXPECT_EQ(file.problems[0].key, test.key);
        EXPECT_EQ(file.problems[0].text, test.value.value_or(""));
        EXPECT_NE(file.problems[0].reason.find(test.reason), std::string::npos)
            << test.key << ": " << file.problems[0].reason;
        EXPECT_EQ(file.problems[0].kind == ParamProblemKind::Missing, !test.value) << test.key;
    }
}

TEST_F(ParamFileCheckTest, WrittenVariantsOfGoodValuesPass)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"m_roll_pid_kp", "+40"},  {"m_roll_pid_kp", "4e1"},    {"m_angle_min_1", "-90"},
        {"m_camera_opts", "a05f"}, {"m_camera_opts", "0XA05F"}, {"m_gimbal_type", "+0"},
    };
    for (const auto& [key, value] : cases) {
        EXPECT_TRUE(LoadWith(key, value).problems.empty()) << key << "=" << value;
    }
    EXPECT_FALSE(LoadWith("m_gimbal_type", "+-0").problems.empty());
}

// What the gimbal reports goes back as it came: any bytes of pages 17 and 18,
// saved as a download saves them, load to a record that encodes to the same
// bytes. Values outside the panel's ranges are only named.
TEST_F(ParamFileCheckTest, EverySetADownloadWritesGoesBackByteForByte)
{
    std::mt19937 random(19);
    for (int round = 0; round < 50; ++round) {
        GimbalParams downloaded = UploadableSet();
        for (const uint8_t page : {kFirstDownloadPage, static_cast<uint8_t>(kFirstDownloadPage + 1)}) {
            ProtocolFrame frame{};
            for (size_t i = kFramePayloadOffset; i < kFrameCrcOffset; ++i) {
                frame[i] = static_cast<uint8_t>(round < 2 ? round * 0xFF : random());
            }
            DecodeParamPage(page, frame, downloaded);
        }
        ASSERT_TRUE(SaveParamFile(m_path, downloaded));
        const StrictParamFile file = LoadParamFileStrictly(m_path);
        for (const ParamFileProblem& problem : file.problems) {
            ASSERT_EQ(problem.kind, ParamProblemKind::OutOfRange)
                << problem.key << "=" << problem.text << ": " << problem.reason;
        }
        for (uint8_t page = kFirstUploadPage; page <= kLastUploadPage; ++page) {
            ProtocolFrame sent{};
            ProtocolFrame original{};
            EncodeParamPage(page, file.params, sent);
            EncodeParamPage(page, downloaded, original);
            ASSERT_EQ(sent, original) << "page " << int(page) << ", round " << round;
        }
    }
}

TEST_F(ParamFileCheckTest, ValuesThePanelRefusesAreNamedWithWhatItAccepts)
{
    GimbalParams params = UploadableSet();
    params.m_sensor_x_sign = -1;
    params.m_stuck_power = 150;
    std::vector<std::string> named;
    for (const RefusedPanelValue& value : ValuesThePanelRefuses(params)) {
        named.push_back(value.key + "=" + value.text + ": " + value.reason);
    }
    EXPECT_EQ(named, (std::vector<std::string>{"m_sensor_x_sign=-1: the panel accepts 0..1",
                                               "m_stuck_power=150: the panel accepts whole numbers 0..100"}));
    EXPECT_TRUE(ValuesThePanelRefuses(UploadableSet()).empty());
}

TEST_F(ParamFileCheckTest, AMissingKeyWhoseDefaultThePanelRefusesCannotBeWaived)
{
    const StrictParamFile file = LoadWith("m_motor2_pole_pairs", std::nullopt);
    ASSERT_EQ(file.problems.size(), 1u);
    EXPECT_EQ(file.problems[0].reason,
              "missing, and its default 0 is refused: the panel accepts whole numbers 1..255");
    EXPECT_EQ(file.problems[0].kind, ParamProblemKind::Unreadable);
}

TEST_F(ParamFileCheckTest, ClampingMovesOnlyOutOfRangeValuesToTheNearestAccepted)
{
    std::string text =
        std::regex_replace(m_saved, std::regex("\nm_roll_pid_kp=[^\n]*"), "\nm_roll_pid_kp=999");
    text = std::regex_replace(text, std::regex("\nm_pitch_pid_kp=[^\n]*"), "\nm_pitch_pid_kp=-5");
    text = std::regex_replace(text, std::regex("\nm_gimbal_alpha=[^\n]*"), "\nm_gimbal_alpha=12.6");
    text = std::regex_replace(text, std::regex("\nm_max_rate_scale=[^\n]*"), "\nm_max_rate_scale=40");
    text = std::regex_replace(text, std::regex("\nm_sensor_x_sign=[^\n]*"), "\nm_sensor_x_sign=2");
    text = std::regex_replace(text, std::regex("\nm_heading_pid_kp=[^\n]*"), "\nm_heading_pid_kp=abc");
    WriteWholeFile(m_path, text);
    StrictParamFile file = LoadParamFileStrictly(m_path);
    ASSERT_EQ(file.problems.size(), 6u);

    const std::vector<ClampedValue> changes = ClampOutOfRangeValues(file);
    std::vector<std::string> listed;
    for (const ClampedValue& change : changes) {
        listed.push_back(change.key + ":" + change.from + "->" + change.to);
    }
    // Values the frame cannot carry in file order, then those the panel refuses.
    EXPECT_EQ(listed, (std::vector<std::string>{"m_roll_pid_kp:999->255", "m_pitch_pid_kp:-5->0",
                                                "m_max_rate_scale:40->25.5", "m_gimbal_alpha:12.6->13",
                                                "m_sensor_x_sign:2->1"}));
    ASSERT_EQ(file.problems.size(), 1u) << "an unreadable text is no number to clamp";
    EXPECT_EQ(file.problems[0].key, "m_heading_pid_kp");
    EXPECT_EQ(file.params.m_roll_pid_kp, 255);
    EXPECT_EQ(file.params.m_sensor_x_sign, 1);
    EXPECT_DOUBLE_EQ(file.params.m_max_rate_scale, 25.5);
}

TEST_F(ParamFileCheckTest, WhatIsNoParameterFileSaysSoInsteadOfGivingDefaults)
{
    const std::vector<std::pair<std::string, std::string>> not_parameter_files{
        {"empty.rkdp", ""},
        {"garbage.rkdp", "\x7F"
                         "ELF\x01\x02 binary garbage\n\x00\xFF"},
        {"Setting.ini", "[Setting]\nLAN=EN\nCOMNUM=0\n"},
        {"other.rkdp", "m_roll_pid_kp=40\n[Params]\nm_gimbal_type=1\n"},
    };
    for (const auto& [name, text] : not_parameter_files) {
        WriteWholeFile(m_folder.File(name), text);
        EXPECT_EQ(LoadParamFileStrictly(m_folder.File(name)).error,
                  "'" + m_folder.File(name) + "' is not a parameter file (no key of section [Param])");
    }
    const std::string fifo = m_folder.File("fifo.rkdp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LoadParamFileStrictly(fifo).error, "cannot read '" + fifo + "': not a regular file")
        << "and no wait for a writer";
    const std::string folder = m_folder.Path().string();
    EXPECT_EQ(LoadParamFileStrictly(folder).error, "cannot read '" + folder + "': not a regular file");
    const std::string none = m_folder.File("none.rkdp");
    EXPECT_EQ(LoadParamFileStrictly(none).error, "cannot read '" + none + "': no such file");
}

} // namespace
