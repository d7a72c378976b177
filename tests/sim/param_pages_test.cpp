#include "sim/default_params.h"
#include "sim/param_pages.h"

#include "protocol/crc16.h"
#include "sim_test_frames.h"

#include <gtest/gtest.h>

#include <random>

namespace {

ProtocolFrame RandomPayload(uint32_t seed)
{
    std::mt19937 rng(seed);
    ProtocolFrame frame{};
    for (size_t i = kFramePayloadOffset; i < kFrameCrcOffset; ++i)
        frame[i] = static_cast<uint8_t>(rng());
    return frame;
}

// Stores a page, then fills the same page from the set: the bytes the page
// defines come back unchanged.
ProtocolFrame RoundTrip(int index, const ProtocolFrame& written)
{
    GimbalParams params{};
    StoreParamPage(index, written, params);
    ProtocolFrame read{};
    FillParamPage(index, params, read);
    return read;
}

} // namespace

TEST(ParamPages, EveryDefinedByteRoundTrips)
{
    // Page A defines 22..72; page B and the calibration pieces up to their ends.
    const size_t last_byte[kParamPageCount] = {72, 77, 55, 55, 55, 55};
    for (int index = 0; index < kParamPageCount; ++index) {
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            const ProtocolFrame written = RandomPayload(seed * 7 + static_cast<uint32_t>(index));
            const ProtocolFrame read = RoundTrip(index, written);
            for (size_t i = kFramePayloadOffset; i < kFrameCrcOffset; ++i) {
                const uint8_t expected = i <= last_byte[index] ? written[i] : 0;
                ASSERT_EQ(read[i], expected) << "page index " << index << " offset " << i;
            }
        }
    }
}

TEST(ParamPages, FieldsSitAtTheirOffsets)
{
    ProtocolFrame page_a{};
    page_a[59] = 45; // target temperature
    page_a[61] = 1;  // gimbal type
    page_a[62] = 2;  // camera type
    page_a[63] = 3;  // product type
    page_a[72] = 16; // heading input channel
    GimbalParams params{};
    StoreParamPage(0, page_a, params);
    EXPECT_EQ(params.m_pid_temp_target, 45.0);
    EXPECT_EQ(params.m_gimbal_type, 1);
    EXPECT_EQ(params.m_camera_type, 2);
    EXPECT_EQ(params.m_product_type, 3);
    EXPECT_EQ(params.m_chan_map[4], 16);

    const ProtocolFrame page_b = PcFrame(0, 2,
                                         {{22, 0xFF},
                                          {37, 12},
                                          {49, 0x02},
                                          {50, 0x01},
                                          {56, 0xA6},
                                          {57, 0xFF},
                                          {69, 0xFF},
                                          {70, 0xFF},
                                          {77, 23}});
    StoreParamPage(1, page_b, params);
    EXPECT_EQ(params.m_sensor_x_sign, -1);
    EXPECT_DOUBLE_EQ(params.m_roll_pidtgain_ratio, 1.2);
    EXPECT_EQ(params.m_camera_opts, 258u);
    EXPECT_EQ(params.m_angle_min_0, -90.0);
    EXPECT_EQ(params.m_notch_min_freq, 65535.0);
    EXPECT_DOUBLE_EQ(params.m_max_rate_scale, 2.3);
}

TEST(ParamPages, EncodesValuesThatDidNotComeFromTheWire)
{
    GimbalParams params{};
    params.m_pid_temp_target = 45.9; // truncated
    params.m_max_rate_scale = 2.25;  // 22.5 rounds away from zero
    params.m_flow_dead_zone = 0.04;
    params.m_camera_opts = 0xFFFFFFFF;
    params.m_roll_pid_kp = 1e300; // no integer: sent as 0, not undefined
    params.m_angle_max_2 = -1.0;
    ProtocolFrame a{}, b{};
    FillParamPage(0, params, a);
    FillParamPage(1, params, b);
    EXPECT_EQ(a[59], 45);
    EXPECT_EQ(a[23], 0);
    EXPECT_EQ(b[77], 23);
    EXPECT_EQ(b[72], 0);
    EXPECT_EQ(Word(b, 49), 0xFFFF);
    EXPECT_EQ(Word(b, 51), 0xFFFF);
    EXPECT_EQ(SignedWord(b, 66), -1);
}

TEST(ParamPages, CalibrationPiecesCoverTheBlockInOrder)
{
    GimbalParams params = DefaultGimbalParams();
    uint8_t block[136] = {};
    for (int piece = 0; piece < 4; ++piece) {
        ProtocolFrame frame{};
        FillParamPage(2 + piece, params, frame);
        std::copy_n(frame.begin() + kFramePayloadOffset, 34, block + 34 * piece);
    }
    EXPECT_TRUE(std::equal(std::begin(block), std::end(block), params.m_mtr_cal_par));
}

TEST(DefaultParams, CalibrationBlockChecksAndEveryValueSurvivesTheWire)
{
    const GimbalParams defaults = DefaultGimbalParams();
    EXPECT_EQ(crc16(defaults.m_mtr_cal_par, 136, 0xABCD), 0);
    GimbalParams copy{};
    for (int index = 0; index < kParamPageCount; ++index) {
        ProtocolFrame frame{};
        FillParamPage(index, defaults, frame);
        StoreParamPage(index, frame, copy);
    }
    // Every value is whole or in tenths, so the copy matches closely; the
    // block and the integer fields exactly.
    EXPECT_TRUE(
        std::equal(std::begin(copy.m_mtr_cal_par), std::end(copy.m_mtr_cal_par), defaults.m_mtr_cal_par));
    EXPECT_EQ(copy.m_camera_opts, defaults.m_camera_opts);
    EXPECT_EQ(copy.m_sensor_z_index, 2);
    EXPECT_NEAR(copy.m_max_rate_scale, defaults.m_max_rate_scale, 1e-9);
    EXPECT_EQ(copy.m_angle_min_1, defaults.m_angle_min_1);
    EXPECT_EQ(copy.m_motor2_pole_pairs, defaults.m_motor2_pole_pairs);
}
