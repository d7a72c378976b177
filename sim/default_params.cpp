#include "sim/default_params.h"

#include "protocol/crc16.h"

namespace {

constexpr size_t kCalBlockSize = sizeof(GimbalParams::m_mtr_cal_par);
constexpr size_t kCalDataSize = kCalBlockSize - 2;
constexpr uint16_t kCalCrcStart = 0xABCD;

// Three motors, each with a zero offset and a table of electrical angle
// corrections; the exact content only has to look like measured data.
void FillCalibrationData(GimbalParams& params)
{
    for (size_t i = 0; i < kCalDataSize; ++i)
        params.m_mtr_cal_par[i] = static_cast<uint8_t>((i * 37 + 11) ^ (i >> 3));
}

void SetLoopGains(GimbalParams& p)
{
    p.m_roll_pid_kt = 60, p.m_roll_pid_kp = 40, p.m_roll_pid_ki = 5, p.m_roll_pid_kd = 30,
    p.m_roll_pid_kdp = 10;
    p.m_pitch_pid_kt = 70, p.m_pitch_pid_kp = 45, p.m_pitch_pid_ki = 6, p.m_pitch_pid_kd = 32;
    p.m_pitch_pid_kdp = 12;
    p.m_heading_pid_kt = 50, p.m_heading_pid_kp = 35, p.m_heading_pid_ki = 4, p.m_heading_pid_kd = 25;
    p.m_heading_pid_kdp = 8;
    p.m_gb_roll_pid_kp = 20, p.m_gb_roll_pid_ki = 2, p.m_gb_roll_pid_kd = 40, p.m_gb_roll_pid_kdp = 60;
    p.m_gb_pitch_pid_kp = 22, p.m_gb_pitch_pid_ki = 2, p.m_gb_pitch_pid_kd = 40, p.m_gb_pitch_pid_kdp = 60;
    p.m_gb_heading_pid_kp = 18, p.m_gb_heading_pid_ki = 1, p.m_gb_heading_pid_kd = 35;
    p.m_gb_heading_pid_kdp = 50;
}

void SetLimits(GimbalParams& p)
{
    p.m_max_rate_scale = 1.5, p.m_roll_max_rate = 60, p.m_pitch_max_rate = 45, p.m_heading_max_rate = 30;
    p.m_roll_max_power = 70, p.m_pitch_max_power = 80, p.m_heading_max_power = 75;
    p.m_roll_pidtgain_ratio = 1.0, p.m_pitch_pidtgain_ratio = 1.2, p.m_heading_pidtgain_ratio = 0.8;
    p.m_pid_temp_kp = 30, p.m_pid_temp_ki = 3, p.m_pid_temp_kd = 10, p.m_pid_temp_kdp = 20;
    p.m_pid_temp_target = 45, p.m_pid_temp_max_power = 60;
    p.m_angle_min_0 = -45, p.m_angle_min_1 = -90, p.m_angle_min_2 = -180;
    p.m_angle_max_0 = 45, p.m_angle_max_1 = 30, p.m_angle_max_2 = 180;
    p.m_notch_min_snr = 6, p.m_notch_min_freq = 80, p.m_notch_band_width = 20;
    p.m_flow_dead_zone = 2.0, p.m_flow_dead_gain = 0.5, p.m_flow_edge_zone = 30, p.m_flow_edge_gain = 10;
}

void SetHardware(GimbalParams& p)
{
    p.m_product_type = 3, p.m_gimbal_type = 1, p.m_udmode_type = 0, p.m_camera_type = 2;
    p.m_ranger_type = 0, p.m_fmcpro_type = 1, p.m_camera_opts = 0x0000A05F;
    const int32_t chan_map[5] = {5, 6, 1, 2, 4};
    for (int i = 0; i < 5; ++i)
        p.m_chan_map[i] = chan_map[i];
    p.m_sensor_x_sign = 1, p.m_sensor_y_sign = 0, p.m_sensor_z_sign = 1;
    p.m_sensor_x_index = 0, p.m_sensor_y_index = 1, p.m_sensor_z_index = 2;
    p.m_motor1_dir_rev = 1, p.m_motor2_angle_rev = 1;
    p.m_motor0_pole_pairs = 7, p.m_motor1_pole_pairs = 7, p.m_motor2_pole_pairs = 11;
    p.m_stuck_power = 40, p.m_gimbal_alpha = 30, p.m_fast_imu_lpf = 90, p.m_rate_tar_lpf = 60;
    p.m_max_pf_tilt = 20;
    p.m_roll_objtrack_kp = 40, p.m_pitch_objtrack_kp = 12, p.m_heading_objtrack_kp = 35;
    p.m_roll_objtrack_ki = 8, p.m_pitch_objtrack_ki = 3, p.m_heading_objtrack_ki = 20;
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
    GimbalParams params{};
    SetLoopGains(params);
    SetLimits(params);
    SetHardware(params);
    FillCalibrationData(params);
    SealCalibrationBlock(params);
    return params;
}
