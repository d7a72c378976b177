#include "sim/default_params.h"

#include "protocol/crc16.h"

namespace {

constexpr size_t kCalBlockSize = sizeof(GimbalParams::m_mtr_cal_par);
constexpr size_t kCalDataSize = kCalBlockSize - 2;
constexpr uint16_t kCalCrcStart = 0xABCD;

// Three motors' zero offsets and electrical angle corrections; the content
// only has to look like measured data.
void FillCalibrationData(GimbalParams& params)
{
    for (size_t i = 0; i < kCalDataSize; ++i)
        params.m_mtr_cal_par[i] = static_cast<uint8_t>((i * 37 + 11) ^ (i >> 3));
}

} // namespace

void SealCalibrationBlock(GimbalParams& params)
{
    const uint16_t crc = crc16(params.m_mtr_cal_par, kCalDataSize, kCalCrcStart);
    params.m_mtr_cal_par[kCalDataSize] = static_cast<uint8_t>(crc >> 8);
    params.m_mtr_cal_par[kCalDataSize + 1] = static_cast<uint8_t>(crc & 0xFF);
}

GimbalParams DefaultGimbalParams()
{
    GimbalParams params{
        .m_mtr_cal_par = {}, // filled below
        .m_product_type = 3,
        .m_gimbal_type = 1,
        .m_udmode_type = 0,
        .m_camera_type = 2,
        .m_ranger_type = 0,
        .m_fmcpro_type = 1,
        .m_camera_opts = 0x0000A05F,
        .m_chan_map = {5, 6, 1, 2, 4},
        .m_sensor_x_sign = 1,
        .m_sensor_y_sign = 0,
        .m_sensor_z_sign = 1,
        .m_sensor_x_index = 0,
        .m_sensor_y_index = 1,
        .m_sensor_z_index = 2,
        .m_motor0_dir_rev = 0,
        .m_motor1_dir_rev = 1,
        .m_motor2_dir_rev = 0,
        .m_motor0_angle_rev = 0,
        .m_motor1_angle_rev = 0,
        .m_motor2_angle_rev = 1,
        .m_motor0_pole_pairs = 7,
        .m_motor1_pole_pairs = 7,
        .m_motor2_pole_pairs = 11,
        .m_stuck_power = 40,
        .m_gimbal_alpha = 30,
        .m_fast_imu_lpf = 90,
        .m_rate_tar_lpf = 60,
        .m_max_pf_tilt = 20,
        .m_roll_pid_kt = 60,
        .m_roll_pid_kp = 40,
        .m_roll_pid_ki = 5,
        .m_roll_pid_kd = 30,
        .m_roll_pid_kdp = 10,
        .m_pitch_pid_kt = 70,
        .m_pitch_pid_kp = 45,
        .m_pitch_pid_ki = 6,
        .m_pitch_pid_kd = 32,
        .m_pitch_pid_kdp = 12,
        .m_heading_pid_kt = 50,
        .m_heading_pid_kp = 35,
        .m_heading_pid_ki = 4,
        .m_heading_pid_kd = 25,
        .m_heading_pid_kdp = 8,
        .m_gb_roll_pid_kp = 20,
        .m_gb_roll_pid_ki = 2,
        .m_gb_roll_pid_kd = 40,
        .m_gb_roll_pid_kdp = 60,
        .m_gb_pitch_pid_kp = 22,
        .m_gb_pitch_pid_ki = 2,
        .m_gb_pitch_pid_kd = 40,
        .m_gb_pitch_pid_kdp = 60,
        .m_gb_heading_pid_kp = 18,
        .m_gb_heading_pid_ki = 1,
        .m_gb_heading_pid_kd = 35,
        .m_gb_heading_pid_kdp = 50,
        .m_max_rate_scale = 1.5,
        .m_roll_max_rate = 60,
        .m_pitch_max_rate = 45,
        .m_heading_max_rate = 30,
        .m_roll_max_power = 70,
        .m_pitch_max_power = 80,
        .m_heading_max_power = 75,
        .m_roll_pidtgain_ratio = 1.0,
        .m_pitch_pidtgain_ratio = 1.2,
        .m_heading_pidtgain_ratio = 0.8,
        .m_pid_temp_kp = 30,
        .m_pid_temp_ki = 3,
        .m_pid_temp_kd = 10,
        .m_pid_temp_kdp = 20,
        .m_pid_temp_target = 45,
        .m_pid_temp_max_power = 60,
        .m_roll_objtrack_kp = 40,
        .m_pitch_objtrack_kp = 12,
        .m_heading_objtrack_kp = 35,
        .m_roll_objtrack_ki = 8,
        .m_pitch_objtrack_ki = 3,
        .m_heading_objtrack_ki = 20,
        .m_roll_objtrack_bd = 4,
        .m_pitch_objtrack_bd = 4,
        .m_heading_objtrack_bd = 6,
        .m_angle_min_0 = -45,
        .m_angle_min_1 = -90,
        .m_angle_min_2 = -180,
        .m_angle_max_0 = 45,
        .m_angle_max_1 = 30,
        .m_angle_max_2 = 180,
        .m_notch_min_snr = 6,
        .m_notch_min_freq = 80,
        .m_notch_band_width = 20,
        .m_flow_dead_zone = 2.0,
        .m_flow_dead_gain = 0.5,
        .m_flow_edge_zone = 30,
        .m_flow_edge_gain = 10,
    };
    FillCalibrationData(params);
    SealCalibrationBlock(params);
    return params;
}
