#include "app/telemetry_text.h"
#include "platform/ui_language.h"
#include "resources/control_ids.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<int, ControlText> ByControl(const std::vector<ControlText>& texts)
{
    std::map<int, ControlText> by_control;
    for (const ControlText& text : texts) {
        EXPECT_TRUE(by_control.emplace(text.control, text).second) << "control " << text.control << " twice";
    }
    return by_control;
}

std::string TextOf(const std::vector<ControlText>& texts, int control)
{
    const auto by_control = ByControl(texts);
    const auto found = by_control.find(control);
    return found == by_control.end() ? "<absent>" : found->second.text;
}

class TelemetryTextTest : public ::testing::Test {
protected:
    void TearDown() override { SetUiLanguage(m_saved_language); }

private:
    uint16_t m_saved_language = GetUiLanguage();
};

TEST(AttitudeTexts, WritesAnglesThenFilteredGyroInDisplayOrder)
{
    TelemetryState state{};
    state.m_angle[0] = -10.0;
    state.m_angle[1] = 0.0;
    state.m_angle[2] = 358.56;
    state.m_fgyr[0] = -0.26;
    state.m_fgyr[1] = 1.25;
    state.m_fgyr[2] = 2000.0;

    const std::vector<ControlText> expected = {
        {1021, "-10.00", std::nullopt}, {1022, "0.00", std::nullopt}, {1026, "358.56", std::nullopt},
        {1055, "-0.3", std::nullopt},   {1056, "1.2", std::nullopt},  {1060, "2000.0", std::nullopt},
    };
    EXPECT_EQ(AttitudeTexts(state), expected);
}

TEST(StatusPageTexts, FormatsEveryRowOfTheLivePage)
{
    TelemetryState state{};
    state.m_acce[0] = 0.98;
    state.m_acce[1] = -0.015;
    state.m_gyro[2] = -12.34;
    state.m_mang[0] = 655.35;
    state.m_mpwr[1] = -73.0;
    state.m_mpwr[2] = 42.5;
    state.m_temp_value = 45.678;
    state.m_temp_power = 120.0;
    state.m_mode_lo = 10;
    state.m_mode_hi = 3;
    state.m_chan_sens = 0.05;
    state.m_chan_axis[0] = 0.0;
    state.m_chan_axis[1] = -12.3;
    state.m_chan_axis[2] = 99.6;

    const std::vector<ControlText> texts = StatusPageTexts(state);
    const std::map<int, std::string> expected = {
        {1033, "0.98"},  {1037, "-0.01"},  {1054, "0.00"},  {1103, "0.0"},  {1104, "0.0"},
        {1105, "-12.3"}, {1064, "655.35"}, {1065, "0.00"},  {1066, "0.00"}, {1071, "0"},
        {1072, "-73"},   {1075, "42"},     {1148, "45.68"}, {1149, "120"},  {1150, "10"},
        {1181, "3"},     {1182, "+0.1"},   {1183, "+0"},    {1184, "-12"},  {1185, "+100"},
    };
    for (const auto& [control, text] : expected) {
        EXPECT_EQ(TextOf(texts, control), text) << "control " << control;
    }
    // Status controls first, then the rows; every value field has no colour
    // of its own.
    ASSERT_EQ(texts.size(), 4 + expected.size());
    EXPECT_EQ(texts[0].control, Id(ControlId::kGimbalState));
    EXPECT_EQ(texts[1].control, Id(ControlId::kHardwareSummary));
    EXPECT_EQ(texts[2].control, Id(ControlId::kMainVersion));
    EXPECT_EQ(texts[3].control, Id(ControlId::kStatusCode));
    for (size_t i = 4; i < texts.size(); ++i) {
        EXPECT_FALSE(texts[i].colour.has_value()) << texts[i].control;
    }
}

TEST(StatusPageTexts, NegativeChannelSensitivityKeepsItsSign)
{
    TelemetryState state{};
    state.m_chan_sens = -0.05;
    EXPECT_EQ(TextOf(StatusPageTexts(state), 1182), "-0.1");
}

TEST_F(TelemetryTextTest, GimbalStateUsesTheCurrentLanguage)
{
    SetUiLanguage(kLanguageEnglish);
    EXPECT_EQ(GimbalStateText(0), "Gimbal Idle");
    EXPECT_EQ(GimbalStateText(1), "Gimbal Running");
    EXPECT_EQ(GimbalStateText(2), "Gimbal Stopped");
    EXPECT_EQ(GimbalStateText(3), "Gimbal Paused");
    EXPECT_EQ(GimbalStateText(4), "");
    EXPECT_EQ(GimbalStateText(255), "");
    SetUiLanguage(kLanguageChinese);
    EXPECT_EQ(GimbalStateText(1), "云台开启");

    TelemetryState state{};
    state.m_gimbal_state = 3;
    const ControlText shown = StatusPageTexts(state)[0];
    EXPECT_EQ(shown, (ControlText{Id(ControlId::kGimbalState), "云台暂停", std::nullopt}));
}

TEST(HardwareSummary, AnyFaultTurnsItRed)
{
    const ControlText healthy{Id(ControlId::kHardwareSummary), "HWOK", kBlack};
    const ControlText faulty{Id(ControlId::kHardwareSummary), "HWER", kRed};
    EXPECT_EQ(HardwareSummary(TelemetryState{}), healthy);

    for (int bit = 0; bit < 8; ++bit) {
        TelemetryState state{};
        state.m_main_hw_flags = static_cast<uint8_t>(1u << bit);
        EXPECT_EQ(HardwareSummary(state), faulty) << "flag bit " << bit;
    }
    for (uint8_t TelemetryState::*status : {&TelemetryState::m_mtr0_status, &TelemetryState::m_mtr1_status,
                                            &TelemetryState::m_mtr2_status, &TelemetryState::m_sens_status}) {
        TelemetryState state{};
        state.*status = 0x01;
        EXPECT_EQ(HardwareSummary(state), faulty);
    }
}

TEST(VersionText, SplitsTheByteIntoMajorAndMinor)
{
    EXPECT_EQ(VersionText(23), "V2.3");
    EXPECT_EQ(VersionText(7), "V0.7");
    EXPECT_EQ(VersionText(123), "V12.3");
    EXPECT_EQ(VersionText(0), "V0.0");
    EXPECT_EQ(VersionText(255), "V25.5");
}

TEST(StatusCode, IsBlackOnlyWhenHealthy)
{
    TelemetryState state{};
    state.m_c_status = 0xFF;
    EXPECT_EQ(StatusPageTexts(state)[3], (ControlText{Id(ControlId::kStatusCode), "C[FF]", kBlack}));
    state.m_c_status = 0x0A;
    EXPECT_EQ(StatusPageTexts(state)[3], (ControlText{Id(ControlId::kStatusCode), "C[0A]", kRed}));
    state.m_c_status = 0;
    EXPECT_EQ(StatusPageTexts(state)[3], (ControlText{Id(ControlId::kStatusCode), "C[00]", kRed}));
}

TEST(LevelBar, LookFollowsTheProgressState)
{
    TelemetryState state{};
    state.m_progress_value = 40;
    const std::pair<uint8_t, LevelBarLook> cases[] = {
        {1, {40, kGreen}}, {2, {100, kBlue}}, {3, {100, kRed}},
        {0, {0, kGreen}},  {4, {0, kGreen}},  {255, {0, kGreen}},
    };
    for (const auto& [progress_state, look] : cases) {
        state.m_progress_state = progress_state;
        EXPECT_EQ(LevelBarFor(state), look) << int{progress_state};
    }
}

TEST(LevelBar, ValuesPastFullShowAFullBar)
{
    TelemetryState state{};
    state.m_progress_state = 1;
    state.m_progress_value = 100;
    EXPECT_EQ(LevelBarFor(state), (LevelBarLook{100, kGreen}));
    state.m_progress_value = 250;
    EXPECT_EQ(LevelBarFor(state), (LevelBarLook{100, kGreen}));
}

TEST(GridCells, AreSignedWholeNumbersRowByRow)
{
    TelemetryState state{};
    state.m_grid[0][0] = -32768;
    state.m_grid[0][3] = 32767;
    state.m_grid[2][1] = -1;
    state.m_grid[3][3] = 15;
    const GridTexts texts = GridCellTexts(state);
    EXPECT_EQ(texts[0][0], "-32768");
    EXPECT_EQ(texts[0][3], "32767");
    EXPECT_EQ(texts[2][1], "-1");
    EXPECT_EQ(texts[3][3], "15");
    EXPECT_EQ(texts[1][2], "0");
}

} // namespace
