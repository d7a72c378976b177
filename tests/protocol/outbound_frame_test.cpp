#include "protocol/outbound_frame.h"
#include "protocol/param_page_codec.h"
#include "protocol/wire_conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const GimbalParams kZeroParams{};

// The payload bytes 22..77 of a frame.
bool PayloadIsZero(const ProtocolFrame& frame, size_t from = kFramePayloadOffset)
{
    for (size_t i = from; i < kFrameCrcOffset; ++i) {
        if (frame[i] != 0)
            return false;
    }
    return true;
}

TEST(OutboundFrame, HeaderCommandPageAndKnownCrc)
{
    struct Case {
        uint8_t command, page, high, low;
    };
    for (const Case& c : {Case{0, 0, 0x48, 0xE5}, Case{0, 1, 0xD7, 0x00}, Case{3, 33, 0x3A, 0x57},
                          Case{1, 33, 0xE8, 0x8E}, Case{0, 17, 0xB8, 0x79}}) {
        const ProtocolFrame frame = BuildOutboundFrame(c.command, c.page, kZeroParams);
        EXPECT_EQ(frame[0], 0xC6);
        EXPECT_EQ(frame[1], 0x9B);
        EXPECT_EQ(frame[2], c.command);
        EXPECT_EQ(frame[21], c.page);
        EXPECT_EQ(frame[78], c.high) << int(c.command) << "/" << int(c.page);
        EXPECT_EQ(frame[79], c.low) << int(c.command) << "/" << int(c.page);
    }
}

TEST(OutboundFrame, PagesWithoutParametersHaveZeroPayload)
{
    GimbalParams params{};
    for (uint8_t& b : params.m_mtr_cal_par)
        b = 0xAA;
    params.m_roll_pid_kp = 77;
    params.m_sensor_x_sign = -1;
    for (int page : {0, 7, 16, 17, 18, 22, 33, 34, 200, 255}) {
        const ProtocolFrame frame = BuildOutboundFrame(5, static_cast<uint8_t>(page), params);
        EXPECT_TRUE(PayloadIsZero(frame)) << "page " << page;
        EXPECT_TRUE(CheckFrame(frame));
    }
}

TEST(OutboundFrame, EveryBuiltFramePassesTheInboundCheck)
{
    GimbalParams params{};
    params.m_camera_opts = 0xDEADBEEF;
    params.m_angle_max_2 = 123.4;
    for (int page = 0; page < 256; ++page)
        EXPECT_TRUE(CheckFrame(BuildOutboundFrame(9, static_cast<uint8_t>(page), params))) << page;
}

TEST(WireConversions, TruncationEdges)
{
    EXPECT_EQ(TruncToInt32(3.9), 3);
    EXPECT_EQ(TruncToInt32(-3.9), -3);
    EXPECT_EQ(TruncToInt32(-1.0), -1);
    EXPECT_EQ(TruncToInt32(2147483647.9), 2147483647);
    EXPECT_EQ(TruncToInt32(-2147483648.9), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(TruncToInt32(2147483648.0), 0);
    EXPECT_EQ(TruncToInt32(-1e300), 0);
    EXPECT_EQ(TruncToInt32(std::nan("")), 0);
    EXPECT_EQ(TruncToInt32(std::numeric_limits<double>::infinity()), 0);
}

TEST(WireConversions, TenthsRoundHalvesAwayFromZero)
{
    EXPECT_EQ(RoundTenthsToInt32(1.25), 13);
    EXPECT_EQ(RoundTenthsToInt32(0.5), 5);
    EXPECT_EQ(RoundTenthsToInt32(25.5), 255);
    EXPECT_EQ(RoundTenthsToInt32(2.25), 23);
    EXPECT_EQ(RoundTenthsToInt32(0.04), 0);
    EXPECT_EQ(RoundTenthsToInt32(0.05), 1);
    EXPECT_EQ(RoundTenthsToInt32(-0.25), -3);
    EXPECT_EQ(RoundTenthsToInt32(214748364.7), 2147483647);
    EXPECT_EQ(RoundTenthsToInt32(214748364.8), 0);
    EXPECT_EQ(RoundTenthsToInt32(-214748364.8), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(RoundTenthsToInt32(-214748364.9), 0);
    EXPECT_EQ(RoundTenthsToInt32(std::nan("")), 0);
}

TEST(ParamPageA, FieldsAtTheirOffsetsWithByteConversions)
{
    GimbalParams params{};
    params.m_roll_pid_kt = 3.9;          // 22
    params.m_heading_pid_kdp = -1.0;     // 36, wraps to 0xFF
    params.m_gb_heading_pid_kdp = 256.0; // 48, low byte 0
    params.m_pid_temp_target = 45.9;     // 59
    params.m_pid_temp_max_power = 300.7; // 60, 300 & 0xFF
    params.m_gimbal_type = 7;            // 61
    params.m_camera_type = 8;            // 62
    params.m_product_type = 0x1FF;       // 63, low byte
    params.m_gimbal_alpha = 12.2;        // 64
    params.m_ranger_type = 9;            // 65
    params.m_fmcpro_type = -2;           // 67
    for (int i = 0; i < 5; ++i)
        params.m_chan_map[i] = 10 + i; // 68..72

    const ProtocolFrame frame = BuildOutboundFrame(0, 1, params);
    EXPECT_EQ(frame[22], 3);
    EXPECT_EQ(frame[36], 0xFF);
    EXPECT_EQ(frame[48], 0x00);
    EXPECT_EQ(frame[59], 45);
    EXPECT_EQ(frame[60], 300 & 0xFF);
    EXPECT_EQ(frame[61], 7);
    EXPECT_EQ(frame[62], 8);
    EXPECT_EQ(frame[63], 0xFF);
    EXPECT_EQ(frame[64], 12);
    EXPECT_EQ(frame[65], 9);
    EXPECT_EQ(frame[67], 0xFE);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(frame[68 + i], 10 + i);
    EXPECT_TRUE(PayloadIsZero(frame, 73));
}

TEST(ParamPageB, PackedMultiByteFieldsAndSignAndTenths)
{
    GimbalParams params{};
    params.m_sensor_y_sign = -1;         // 23
    params.m_roll_pidtgain_ratio = 1.25; // 37
    params.m_camera_opts = 258;          // 49..52
    params.m_fast_imu_lpf = 5.5;         // 53
    params.m_angle_min_0 = -90.0;        // 56..57
    params.m_angle_max_2 = 70000.0;      // 66..67, low 16 bits
    params.m_notch_min_freq = 65535.0;   // 69..70
    params.m_flow_dead_zone = 0.04;      // 72
    params.m_flow_dead_gain = 1e12;      // 73, x10 product out of range
    params.m_max_rate_scale = 2.25;      // 77

    const ProtocolFrame frame = BuildOutboundFrame(0, 2, params);
    EXPECT_EQ(frame[23], 0xFF);
    EXPECT_EQ(frame[37], 13);
    EXPECT_EQ(frame[49], 0x02);
    EXPECT_EQ(frame[50], 0x01);
    EXPECT_EQ(frame[51], 0x00);
    EXPECT_EQ(frame[52], 0x00);
    EXPECT_EQ(frame[53], 5);
    EXPECT_EQ(frame[56], 0xA6);
    EXPECT_EQ(frame[57], 0xFF);
    EXPECT_EQ(frame[66], 70000 & 0xFF);
    EXPECT_EQ(frame[67], (70000 >> 8) & 0xFF);
    EXPECT_EQ(frame[69], 0xFF);
    EXPECT_EQ(frame[70], 0xFF);
    EXPECT_EQ(frame[72], 0);
    EXPECT_EQ(frame[73], 0);
    EXPECT_EQ(frame[77], 23);
}

TEST(ParamPages, MotorCalibrationPiecesAndZeroTail)
{
    GimbalParams params{};
    for (int i = 0; i < 136; ++i)
        params.m_mtr_cal_par[i] = static_cast<uint8_t>(i + 1);
    for (int page = 3; page <= 6; ++page) {
        const ProtocolFrame frame = BuildOutboundFrame(0, static_cast<uint8_t>(page), params);
        const int first = (page - 3) * 34;
        for (int i = 0; i < 34; ++i)
            ASSERT_EQ(frame[22 + i], first + i + 1) << "page " << page << " byte " << i;
        EXPECT_TRUE(PayloadIsZero(frame, 56)) << "page " << page;
    }
}

// Integral values that survive the byte conversions unchanged, different for
// every field, so a field read back from the wrong offset shows up.
GimbalParams DistinctParams()
{
    GimbalParams params{};
    int next = 1;
    auto real = [&next] { return static_cast<double>(next++); };
    auto integer = [&next] { return next++; };
    params.m_roll_pid_kt = real(), params.m_roll_pid_kp = real(), params.m_roll_pid_ki = real();
    params.m_roll_pid_kd = real(), params.m_roll_pid_kdp = real(), params.m_pitch_pid_kt = real();
    params.m_pitch_pid_kp = real(), params.m_pitch_pid_ki = real(), params.m_pitch_pid_kd = real();
    params.m_pitch_pid_kdp = real(), params.m_heading_pid_kt = real(), params.m_heading_pid_kp = real();
    params.m_heading_pid_ki = real(), params.m_heading_pid_kd = real(), params.m_heading_pid_kdp = real();
    params.m_gb_roll_pid_kp = real(), params.m_gb_roll_pid_ki = real(), params.m_gb_roll_pid_kd = real();
    params.m_gb_roll_pid_kdp = real(), params.m_gb_pitch_pid_kp = real(), params.m_gb_pitch_pid_ki = real();
    params.m_gb_pitch_pid_kd = real(), params.m_gb_pitch_pid_kdp = real();
    params.m_gb_heading_pid_kp = real(), params.m_gb_heading_pid_ki = real();
    params.m_gb_heading_pid_kd = real(), params.m_gb_heading_pid_kdp = real();
    params.m_roll_max_rate = real(), params.m_pitch_max_rate = real(), params.m_heading_max_rate = real();
    params.m_roll_max_power = real(), params.m_pitch_max_power = real();
    params.m_heading_max_power = real(), params.m_pid_temp_kp = real(), params.m_pid_temp_ki = real();
    params.m_pid_temp_kd = real(), params.m_pid_temp_kdp = real(), params.m_pid_temp_target = real();
    params.m_pid_temp_max_power = real(), params.m_gimbal_type = integer(), params.m_camera_type = integer();
    params.m_product_type = integer(), params.m_gimbal_alpha = real(), params.m_ranger_type = integer();
    params.m_max_pf_tilt = real(), params.m_fmcpro_type = integer();
    for (int32_t& channel : params.m_chan_map)
        channel = integer();

    params.m_sensor_x_sign = -1, params.m_sensor_y_sign = 1, params.m_sensor_z_sign = -1;
    params.m_sensor_x_index = integer(), params.m_sensor_y_index = integer();
    params.m_sensor_z_index = integer(), params.m_motor0_pole_pairs = real();
    params.m_motor1_pole_pairs = real(), params.m_motor2_pole_pairs = real();
    params.m_motor0_dir_rev = integer(), params.m_motor1_dir_rev = integer();
    params.m_motor2_dir_rev = integer(), params.m_motor0_angle_rev = integer();
    params.m_motor1_angle_rev = integer(), params.m_motor2_angle_rev = integer();
    params.m_roll_pidtgain_ratio = 0.5, params.m_pitch_pidtgain_ratio = 1.5;
    params.m_heading_pidtgain_ratio = 2.5, params.m_roll_objtrack_kp = real();
    params.m_pitch_objtrack_kp = real(), params.m_heading_objtrack_kp = real();
    params.m_roll_objtrack_ki = real(), params.m_pitch_objtrack_ki = real();
    params.m_heading_objtrack_ki = real(), params.m_roll_objtrack_bd = real();
    params.m_pitch_objtrack_bd = real(), params.m_heading_objtrack_bd = real();
    params.m_camera_opts = 0x01020304, params.m_fast_imu_lpf = real(), params.m_stuck_power = real();
    params.m_udmode_type = integer(), params.m_angle_min_0 = -90, params.m_angle_min_1 = -45;
    params.m_angle_min_2 = -180, params.m_angle_max_0 = 90, params.m_angle_max_1 = 45;
    params.m_angle_max_2 = 180, params.m_notch_min_snr = real(), params.m_notch_min_freq = 40000;
    params.m_notch_band_width = real(), params.m_flow_dead_zone = 3.5, params.m_flow_dead_gain = 4.5;
    params.m_rate_tar_lpf = real(), params.m_flow_edge_zone = real(), params.m_flow_edge_gain = real();
    params.m_max_rate_scale = 5.5;
    for (int i = 0; i < 136; ++i)
        params.m_mtr_cal_par[i] = static_cast<uint8_t>(255 - i);
    return params;
}

TEST(ParamPages, ReadBackOfEveryUploadPageRestoresTheRecord)
{
    const GimbalParams sent = DistinctParams();
    GimbalParams received{};
    for (uint8_t page = kFirstUploadPage; page <= kLastUploadPage; ++page) {
        ProtocolFrame frame = BuildOutboundFrame(0, page, sent);
        ASSERT_TRUE(DecodeParamPage(static_cast<uint8_t>(page + kReadBackPageDistance), frame, received));
    }
    // Tenths come back as byte x 0.1, which is not always the decimal exactly.
    auto tenths_equal = [](double a, double b) { return std::abs(a - b) < 1e-9; };
    EXPECT_TRUE(tenths_equal(received.m_pitch_pidtgain_ratio, 1.5));
    EXPECT_TRUE(tenths_equal(received.m_max_rate_scale, 5.5));
    received.m_roll_pidtgain_ratio = sent.m_roll_pidtgain_ratio;
    received.m_pitch_pidtgain_ratio = sent.m_pitch_pidtgain_ratio;
    received.m_heading_pidtgain_ratio = sent.m_heading_pidtgain_ratio;
    received.m_flow_dead_zone = sent.m_flow_dead_zone;
    received.m_flow_dead_gain = sent.m_flow_dead_gain;
    received.m_max_rate_scale = sent.m_max_rate_scale;
    EXPECT_EQ(std::memcmp(&received, &sent, sizeof sent), 0);
}

TEST(ParamPages, OnlyParameterPagesAreCoded)
{
    GimbalParams params = DistinctParams();
    const GimbalParams before = params;
    ProtocolFrame frame{};
    for (int page : {0, 7, 16, 23, 33, 34}) {
        EXPECT_FALSE(EncodeParamPage(static_cast<uint8_t>(page), params, frame));
        EXPECT_FALSE(DecodeParamPage(static_cast<uint8_t>(page), frame, params));
    }
    EXPECT_FALSE(DecodeParamPage(1, frame, params)); // upload pages are not read back
    EXPECT_EQ(std::memcmp(&params, &before, sizeof params), 0);
    EXPECT_TRUE(PayloadIsZero(frame));
}

} // namespace
