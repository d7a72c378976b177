#include "app/status_tooltip.h"
#include "platform/ui_language.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(VersionTip, ListsEveryBoardThatReportsAVersion)
{
    TelemetryState state{};
    state.m_main_version = 23;
    state.m_mtr0_version = 10;
    EXPECT_EQ(VersionTipText(state, true), "MAIN: V2.3\r\nMTR0: V1.0\r\n");

    state.m_mtr1_version = 5;
    state.m_mtr2_version = 123;
    state.m_sens_version = 255;
    EXPECT_EQ(VersionTipText(state, true),
              "MAIN: V2.3\r\nMTR0: V1.0\r\nMTR1: V0.5\r\nMTR2: V12.3\r\nSENS: V25.5\r\n");
}

TEST(VersionTip, IsEmptyWhileTheVersionFieldIsEmptyOrNothingReported)
{
    TelemetryState state{};
    state.m_main_version = 23;
    EXPECT_EQ(VersionTipText(state, false), "");
    EXPECT_EQ(VersionTipText(TelemetryState{}, true), "");
}

TEST(HardwareTip, ListsFaultBitsThenNonZeroStatusBytes)
{
    TelemetryState state{};
    state.m_main_hw_flags = 0x81;
    state.m_mtr1_status = 0x0A;
    EXPECT_EQ(HardwareTipText(state, true), "M: CRYS [LED1]\r\nM: XXXX [LED8]\r\nS: MTR1 [0x0A]\r\n");
}

TEST(HardwareTip, NamesEveryBitAndBoard)
{
    TelemetryState state{};
    state.m_main_hw_flags = 0xFF;
    state.m_mtr0_status = 0x01;
    state.m_mtr1_status = 0xFF;
    state.m_mtr2_status = 0x80;
    state.m_sens_status = 0x3C;
    EXPECT_EQ(HardwareTipText(state, true), "M: CRYS [LED1]\r\n"
                                            "M: FMEM [LED2]\r\n"
                                            "M: SENS [LED3]\r\n"
                                            "M: MTR0 [LED4]\r\n"
                                            "M: MTR1 [LED5]\r\n"
                                            "M: MTR2 [LED6]\r\n"
                                            "M: XXXX [LED7]\r\n"
                                            "M: XXXX [LED8]\r\n"
                                            "S: MTR0 [0x01]\r\n"
                                            "S: MTR1 [0xFF]\r\n"
                                            "S: MTR2 [0x80]\r\n"
                                            "S: SENS [0x3C]\r\n");
}

TEST(HardwareTip, IsEmptyWhenHealthyOrTheSummaryIsEmpty)
{
    EXPECT_EQ(HardwareTipText(TelemetryState{}, true), "");
    TelemetryState state{};
    state.m_main_hw_flags = 0x04;
    EXPECT_EQ(HardwareTipText(state, false), "");
}

class ToolTipToolsTest : public ::testing::Test {
protected:
    void TearDown() override { SetUiLanguage(m_saved_language); }

    static std::string TextFor(const std::vector<ToolTipTool>& tools, int control)
    {
        const auto found = std::ranges::find(tools, control, &ToolTipTool::control);
        return found == tools.end() ? "<absent>" : found->text;
    }

private:
    uint16_t m_saved_language = GetUiLanguage();
};

TEST_F(ToolTipToolsTest, RegistersTheStatusFieldsFirstAndTheTuningFieldsInOrder)
{
    const std::vector<ToolTipTool> tools = ToolTipTools();
    ASSERT_EQ(tools.size(), 22u);
    EXPECT_EQ(tools[0], (ToolTipTool{1046, "", true}));
    EXPECT_EQ(tools[1], (ToolTipTool{1059, "", true}));
    EXPECT_EQ(tools[2], (ToolTipTool{1159, "IMU", false}));
    EXPECT_EQ(tools[21].control, 1123);
    EXPECT_TRUE(std::ranges::none_of(tools.begin() + 2, tools.end(), &ToolTipTool::requested));
    for (int control : {1171, 1172, 1173}) {
        EXPECT_EQ(TextFor(tools, control), "XXX_XX");
    }
    EXPECT_EQ(TextFor(tools, 1136), "CTL_BW");
    EXPECT_EQ(TextFor(tools, 1170), "TOT_SS");
}

TEST_F(ToolTipToolsTest, GainCompensationNamesFollowTheLanguage)
{
    SetUiLanguage(kLanguageEnglish);
    auto tools = ToolTipTools();
    EXPECT_EQ(TextFor(tools, 1108), "Pitch 90 Deg -> Roll Gain Comp");
    EXPECT_EQ(TextFor(tools, 1109), "Roll 45 Deg -> All Gain Comp");
    EXPECT_EQ(TextFor(tools, 1123), "Pitch 90 Deg -> Yaw Gain Comp");

    SetUiLanguage(kLanguageChinese);
    tools = ToolTipTools();
    EXPECT_EQ(TextFor(tools, 1108), "俯仰90度时滚转增益补偿");
    EXPECT_EQ(TextFor(tools, 1123), "俯仰90度时指向增益补偿");
}

} // namespace
