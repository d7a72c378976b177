#include "protocol/frame_decoder.h"

#include "protocol/command_table.h"
#include "protocol_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class FrameDecoderTest : public ::testing::Test {
protected:
    bool Decode(const ProtocolFrame& frame) { return m_decoder.DecodeFrame(frame); }
    GimbalParams Params() const { return m_state.m_params.Snapshot(); }

    TransactionState m_state;
    TelemetryState m_telemetry{};
    RecordingView m_view;
    FrameDecoder m_decoder{m_state, m_telemetry, m_view};
};

TEST_F(FrameDecoderTest, ListedValidFramesDecode)
{
    ProtocolFrame page33{};
    page33[0] = 0x6C, page33[1] = 0xB9, page33[21] = 33, page33[78] = 0xF1, page33[79] = 0x53;
    ProtocolFrame ack_page34{};
    ack_page34[0] = 0x6C, ack_page34[1] = 0xB9, ack_page34[2] = 1, ack_page34[21] = 34;
    ack_page34[78] = 0xA0, ack_page34[79] = 0x21;

    m_state.m_page = 33;
    EXPECT_TRUE(Decode(page33));
    EXPECT_EQ(m_state.m_page, 34);
    EXPECT_EQ(m_view.refreshes, (std::vector{TelemetryRefresh::kEveryFrame, TelemetryRefresh::kStatusPage}));

    m_telemetry.m_grid[3][3] = 5;
    EXPECT_TRUE(Decode(ack_page34));
    EXPECT_EQ(m_view.statuses, (std::vector<ShownStatus>{{164, kBlack}}));
    EXPECT_EQ(m_telemetry.m_grid[3][3], 0);
    EXPECT_EQ(m_state.m_page, 33);
}

TEST_F(FrameDecoderTest, CorruptedFrameHasNoEffect)
{
    m_state.m_autostop = 1;
    m_state.m_autostop_count = 57;
    m_state.m_command = 7;
    m_state.m_page = 33;
    m_telemetry.m_angle[0] = 1.5;
    ProtocolFrame frame = InboundFrame(7, 33, {{3, 0x10}, {22, 1}});
    frame[50] ^= 0x40;

    EXPECT_FALSE(Decode(frame));
    EXPECT_EQ(m_state.m_autostop_count, 57);
    EXPECT_EQ(m_state.m_command, 7);
    EXPECT_EQ(m_state.m_page, 33);
    EXPECT_EQ(m_telemetry.m_angle[0], 1.5);
    EXPECT_EQ(m_telemetry.m_gimbal_state, 0);
    EXPECT_TRUE(m_view.statuses.empty());
    EXPECT_TRUE(m_view.refreshes.empty());
}

TEST_F(FrameDecoderTest, EveryAcknowledgementShowsItsMessageAndEndsTheCommand)
{
    for (const CommandRow& command : Commands()) {
        for (const bool failed : {false, true}) {
            m_view.Forget();
            m_state.m_command = 18;
            const auto ack = static_cast<uint8_t>(command.code + (failed ? kAckFailureOffset : 0));
            Decode(InboundFrame(ack, 0));
            const ShownStatus expected{failed ? command.failure_message : command.success_message,
                                       failed ? kRed : kBlack};
            EXPECT_EQ(m_view.statuses, std::vector{expected}) << command.name << " failed=" << failed;
            EXPECT_EQ(m_state.m_command, 0) << command.name;
        }
    }
}

TEST_F(FrameDecoderTest, UnlistedAcknowledgementCodesAreIgnored)
{
    std::vector<bool> listed(256, false);
    for (const CommandRow& command : Commands())
        listed[command.code] = listed[command.code + kAckFailureOffset] = true;
    int unlisted = 0;
    for (int code = 0; code < 256; ++code) {
        if (listed[code])
            continue;
        ++unlisted;
        m_state.m_command = 9;
        Decode(InboundFrame(static_cast<uint8_t>(code), 0));
        EXPECT_EQ(m_state.m_command, 9) << code;
    }
    EXPECT_EQ(unlisted, 256 - 46); // 0, 15, 16, 26..128, 143, 144, 154..255
    EXPECT_TRUE(m_view.statuses.empty());
}

TEST_F(FrameDecoderTest, AttitudeAndFgyrOnEveryFrame)
{
    // FGYR: -1234 (0xFFFFFB2E), 1, 2147483647.
    const ProtocolFrame frame = InboundFrame(0, 99,
                                             {{3, 0x18},
                                              {4, 0xFC},
                                              {5, 0x00},
                                              {6, 0x00},
                                              {7, 0x10},
                                              {8, 0x8C},
                                              {9, 0x2E},
                                              {10, 0xFB},
                                              {11, 0xFF},
                                              {12, 0xFF},
                                              {13, 1},
                                              {17, 0xFF},
                                              {18, 0xFF},
                                              {19, 0xFF},
                                              {20, 0x7F}});
    m_state.m_transfer_active = 1;
    m_state.m_page = 17; // a transfer gate does not hold the attitude back
    EXPECT_TRUE(Decode(frame));
    EXPECT_DOUBLE_EQ(m_telemetry.m_angle[0], -10.0);
    EXPECT_DOUBLE_EQ(m_telemetry.m_angle[1], 0.0);
    EXPECT_DOUBLE_EQ(m_telemetry.m_angle[2], 358.56);
    EXPECT_DOUBLE_EQ(m_telemetry.m_fgyr[0], -1.234);
    EXPECT_DOUBLE_EQ(m_telemetry.m_fgyr[1], 0.001);
    EXPECT_DOUBLE_EQ(m_telemetry.m_fgyr[2], 2147483.647);
    EXPECT_EQ(m_view.refreshes, std::vector{TelemetryRefresh::kEveryFrame});
    EXPECT_EQ(m_state.m_page, 17);
}

TEST_F(FrameDecoderTest, StatusPageFillsEveryField)
{
    const ProtocolFrame frame = InboundFrame(
        0, 33, {{22, 1},    {23, 0x81}, {24, 23},  {25, 0x0C}, {26, 0xFE}, {27, 10},   {29, 0xFF}, {30, 0xFF},
                {31, 0x9C}, {32, 0xFF}, {33, 100}, {35, 1},    {37, 0xFF}, {38, 0xFF}, {39, 50},   {41, 0},
                {43, 0x38}, {44, 0xFF}, {45, 200}, {47, 1},    {49, 1},    {50, 0x0A}, {51, 0x0D}, {52, 0xFB},
                {53, 0xFF}, {54, 1},    {55, 40},  {56, 0xFF}, {57, 2},    {58, 3},    {59, 4},    {60, 5},
                {61, 11},   {62, 12},   {63, 13},  {64, 14},   {65, 0x3A}, {66, 0x9C}, {67, 0xE8}, {68, 0x03},
                {69, 0x18}, {70, 0xFC}, {71, 5},   {73, 2},    {74, 1},    {75, 2},    {76, 3},    {77, 4}});
    for (uint8_t& level : m_telemetry.m_chan_levels)
        level = 9;
    EXPECT_TRUE(Decode(frame));

    const TelemetryState& t = m_telemetry;
    EXPECT_EQ(t.m_gimbal_state, 1);
    EXPECT_EQ(t.m_main_hw_flags, 0x81);
    EXPECT_EQ(t.m_main_version, 23);
    EXPECT_DOUBLE_EQ(t.m_gyro[0], -50.0); // 0xFE0C = -500, x0.1
    EXPECT_DOUBLE_EQ(t.m_gyro[1], 1.0);
    EXPECT_DOUBLE_EQ(t.m_gyro[2], -0.1);
    EXPECT_DOUBLE_EQ(t.m_acce[0], -1.0);
    EXPECT_DOUBLE_EQ(t.m_acce[1], 1.0);
    EXPECT_DOUBLE_EQ(t.m_acce[2], 0.01);
    EXPECT_DOUBLE_EQ(t.m_mang[0], 655.35); // unsigned
    EXPECT_DOUBLE_EQ(t.m_mang[1], 0.5);
    EXPECT_DOUBLE_EQ(t.m_mpwr[0], -200.0);
    EXPECT_DOUBLE_EQ(t.m_mpwr[1], 200.0);
    EXPECT_DOUBLE_EQ(t.m_mpwr[2], 1.0);
    EXPECT_EQ(t.m_cal_allowed, 1);
    EXPECT_DOUBLE_EQ(t.m_temp_value, 33.38); // 0x0D0A = 3338
    EXPECT_DOUBLE_EQ(t.m_temp_power, -5.0);
    EXPECT_EQ(t.m_progress_state, 1);
    EXPECT_EQ(t.m_progress_value, 40);
    EXPECT_EQ(t.m_c_status, 0xFF);
    EXPECT_EQ(t.m_mtr0_status, 2);
    EXPECT_EQ(t.m_mtr1_status, 3);
    EXPECT_EQ(t.m_mtr2_status, 4);
    EXPECT_EQ(t.m_sens_status, 5);
    EXPECT_EQ(t.m_mtr0_version, 11);
    EXPECT_EQ(t.m_mtr1_version, 12);
    EXPECT_EQ(t.m_mtr2_version, 13);
    EXPECT_EQ(t.m_sens_version, 14);
    EXPECT_EQ(t.m_mode_lo, 10);
    EXPECT_EQ(t.m_mode_hi, 3);
    EXPECT_DOUBLE_EQ(t.m_chan_sens, -1.0); // 0x9C = -100, x0.01
    EXPECT_DOUBLE_EQ(t.m_chan_axis[0], 100.0);
    EXPECT_DOUBLE_EQ(t.m_chan_axis[1], -100.0);
    EXPECT_DOUBLE_EQ(t.m_chan_axis[2], 0.5);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(t.m_chan_levels[i], (i >= 8 && i < 12) ? i - 7 : 9) << i;
}

TEST_F(FrameDecoderTest, ChannelRowIndexOutOfRangeSkipsOnlyTheLevels)
{
    for (uint8_t& level : m_telemetry.m_chan_levels)
        level = 9;
    Decode(InboundFrame(0, 33, {{22, 3}, {73, 4}, {74, 1}, {75, 1}, {76, 1}, {77, 1}}));
    Decode(InboundFrame(0, 33, {{22, 3}, {73, 255}, {74, 1}, {75, 1}, {76, 1}, {77, 1}}));
    EXPECT_EQ(m_telemetry.m_gimbal_state, 3);
    for (uint8_t level : m_telemetry.m_chan_levels)
        EXPECT_EQ(level, 9);
}

TEST_F(FrameDecoderTest, GridPageRowByRow)
{
    std::initializer_list<FrameByte> cells{{22, 0xFF}, {23, 0xFF}, {30, 7},    {37, 0x80},
                                           {52, 0x34}, {53, 0x12}, {54, 0x55}, {77, 0x55}};
    m_state.m_page = 34;
    Decode(InboundFrame(0, 34, cells));
    EXPECT_EQ(m_telemetry.m_grid[0][0], -1);
    EXPECT_EQ(m_telemetry.m_grid[1][0], 7);
    EXPECT_EQ(m_telemetry.m_grid[1][3], -32768);
    EXPECT_EQ(m_telemetry.m_grid[3][3], 0x1234);
    EXPECT_EQ(m_telemetry.m_grid[2][2], 0);
    EXPECT_EQ(m_state.m_page, 33);
    EXPECT_EQ(m_view.refreshes.back(), TelemetryRefresh::kGridPage);
}

TEST_F(FrameDecoderTest, IdleLivePagesAlternateOnAnyEcho)
{
    m_state.m_page = 34;
    Decode(InboundFrame(0, 34));
    EXPECT_EQ(m_state.m_page, 33);
    Decode(InboundFrame(0, 34)); // echo of an older request still steps
    EXPECT_EQ(m_state.m_page, 33);
    Decode(InboundFrame(0, 33));
    EXPECT_EQ(m_state.m_page, 34);
}

TEST_F(FrameDecoderTest, UnlistedPagesDoNothing)
{
    m_state.m_page = 33;
    for (int page : {0, 7, 16, 23, 32, 35, 128, 255}) {
        Decode(InboundFrame(0, static_cast<uint8_t>(page), {{22, 1}}));
        EXPECT_EQ(m_state.m_page, 33) << page;
    }
    EXPECT_EQ(m_telemetry.m_gimbal_state, 0);
    EXPECT_TRUE(m_view.statuses.empty());
}

TEST_F(FrameDecoderTest, ReadBackConversionsOfPageB)
{
    m_state.m_transfer_active = 1;
    m_state.m_page = 18;
    EXPECT_TRUE(Decode(InboundFrame(0, 18,
                                    {{22, 0xFF},
                                     {23, 0x01},
                                     {28, 200},
                                     {37, 15},
                                     {49, 0x04},
                                     {50, 0x03},
                                     {51, 0x02},
                                     {52, 0x81},
                                     {56, 0xA6},
                                     {57, 0xFF},
                                     {69, 0xFF},
                                     {70, 0xFF},
                                     {77, 23}})));
    const GimbalParams params = Params();
    EXPECT_EQ(params.m_sensor_x_sign, -1);
    EXPECT_EQ(params.m_sensor_y_sign, 1);
    EXPECT_DOUBLE_EQ(params.m_motor0_pole_pairs, 200.0);
    EXPECT_DOUBLE_EQ(params.m_roll_pidtgain_ratio, 1.5);
    EXPECT_EQ(params.m_camera_opts, 0x81020304u);
    EXPECT_DOUBLE_EQ(params.m_angle_min_0, -90.0);
    EXPECT_DOUBLE_EQ(params.m_notch_min_freq, 65535.0);
    EXPECT_DOUBLE_EQ(params.m_max_rate_scale, 23 * 0.1);
    EXPECT_EQ(m_state.m_page, 19);
}

TEST_F(FrameDecoderTest, ReadBackOfPageAStoresUnsignedBytes)
{
    m_state.m_transfer_active = 1;
    m_state.m_page = 17;
    Decode(InboundFrame(0, 17, {{22, 0xFF}, {59, 45}, {61, 7}, {63, 0xFE}, {72, 4}}));
    const GimbalParams params = Params();
    EXPECT_DOUBLE_EQ(params.m_roll_pid_kt, 255.0);
    EXPECT_DOUBLE_EQ(params.m_pid_temp_target, 45.0);
    EXPECT_EQ(params.m_gimbal_type, 7);
    EXPECT_EQ(params.m_product_type, 254);
    EXPECT_EQ(params.m_chan_map[4], 4);
    EXPECT_EQ(m_state.m_page, 18);
}

TEST_F(FrameDecoderTest, LateEchoDuringTransferIsIgnoredForPaging)
{
    m_state.m_transfer_active = 1;
    m_state.m_page = 3;
    m_state.m_command = 4;
    Decode(InboundFrame(4, 2));
    EXPECT_EQ(m_state.m_page, 3);
    EXPECT_EQ(m_state.m_command, 0); // the acknowledgement still counts
    Decode(InboundFrame(0, 33, {{22, 2}}));
    EXPECT_EQ(m_telemetry.m_gimbal_state, 0); // live page data held back too
    Decode(InboundFrame(0, 3));
    EXPECT_EQ(m_state.m_page, 4);
}

TEST_F(FrameDecoderTest, StaleParameterEchoOutsideATransferIsIgnored)
{
    GimbalParams params{};
    params.m_roll_pid_kp = 42;
    m_state.m_params.Replace(params);
    m_state.m_page = 33;
    for (int page : {1, 3, 6, 17, 19, 22})
        Decode(InboundFrame(0, static_cast<uint8_t>(page), {{23, 9}, {40, 9}}));
    EXPECT_EQ(m_state.m_page, 33);
    EXPECT_DOUBLE_EQ(Params().m_roll_pid_kp, 42.0);
    EXPECT_EQ(Params().m_mtr_cal_par[18], 0);
    EXPECT_TRUE(m_view.downloads.empty());
    EXPECT_TRUE(m_view.button_changes.empty());
    EXPECT_TRUE(m_view.statuses.empty());
}

TEST_F(FrameDecoderTest, AutoStopCounterIsResetOnlyWhenSwitchedOn)
{
    m_state.m_autostop_count = 80;
    Decode(InboundFrame(0, 0));
    EXPECT_EQ(m_state.m_autostop_count, 80);
    m_state.m_autostop = 1;
    Decode(InboundFrame(0, 0));
    EXPECT_EQ(m_state.m_autostop_count, 0);
}

} // namespace
