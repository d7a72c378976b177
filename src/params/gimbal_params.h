#pragma once

#include <cstdint>
#include <type_traits>

// The gimbal controller's parameter set as the PC holds it. A plain value:
// `GimbalParams{}` is all zero bytes, copying copies every field. Field names
// are the parameter file's keys. The order is the declaration order the file
// and the panel follow.
struct GimbalParams {
    // Motor calibration block: opaque bytes, exchanged in four 34-byte pieces.
    uint8_t m_mtr_cal_par[136];

    // Type selectors.
    int32_t m_product_type;
    int32_t m_gimbal_type;
    int32_t m_udmode_type;
    int32_t m_camera_type;
    int32_t m_ranger_type;
    int32_t m_fmcpro_type;
    uint32_t m_camera_opts;

    // Input channel per function: mode, sensitivity, roll, pitch, heading.
    int32_t m_chan_map[5];

    // Sensor orientation.
    int32_t m_sensor_x_sign;
    int32_t m_sensor_y_sign;
    int32_t m_sensor_z_sign;
    int32_t m_sensor_x_index;
    int32_t m_sensor_y_index;
    int32_t m_sensor_z_index;

    // Motors.
    int32_t m_motor0_dir_rev;
    int32_t m_motor1_dir_rev;
    int32_t m_motor2_dir_rev;
    int32_t m_motor0_angle_rev;
    int32_t m_motor1_angle_rev;
    int32_t m_motor2_angle_rev;
    double m_motor0_pole_pairs;
    double m_motor1_pole_pairs;
    double m_motor2_pole_pairs;

    // Platform.
    double m_stuck_power;
    double m_gimbal_alpha;
    double m_fast_imu_lpf;
    double m_rate_tar_lpf;
    double m_max_pf_tilt;

    // Attitude loop gains.
    double m_roll_pid_kt;
    double m_roll_pid_kp;
    double m_roll_pid_ki;
    double m_roll_pid_kd;
    double m_roll_pid_kdp;
    double m_pitch_pid_kt;
    double m_pitch_pid_kp;
    double m_pitch_pid_ki;
    double m_pitch_pid_kd;
    double m_pitch_pid_kdp;
    double m_heading_pid_kt;
    double m_heading_pid_kp;
    double m_heading_pid_ki;
    double m_heading_pid_kd;
    double m_heading_pid_kdp;

    // Second gain set.
    double m_gb_roll_pid_kp;
    double m_gb_roll_pid_ki;
    double m_gb_roll_pid_kd;
    double m_gb_roll_pid_kdp;
    double m_gb_pitch_pid_kp;
    double m_gb_pitch_pid_ki;
    double m_gb_pitch_pid_kd;
    double m_gb_pitch_pid_kdp;
    double m_gb_heading_pid_kp;
    double m_gb_heading_pid_ki;
    double m_gb_heading_pid_kd;
    double m_gb_heading_pid_kdp;

    // Rate and power limits.
    double m_max_rate_scale;
    double m_roll_max_rate;
    double m_pitch_max_rate;
    double m_heading_max_rate;
    double m_roll_max_power;
    double m_pitch_max_power;
    double m_heading_max_power;
    double m_roll_pidtgain_ratio;
    double m_pitch_pidtgain_ratio;
    double m_heading_pidtgain_ratio;

    // Temperature loop.
    double m_pid_temp_kp;
    double m_pid_temp_ki;
    double m_pid_temp_kd;
    double m_pid_temp_kdp;
    double m_pid_temp_target;
    double m_pid_temp_max_power;

    // Object tracking.
    double m_roll_objtrack_kp;
    double m_pitch_objtrack_kp;
    double m_heading_objtrack_kp;
    double m_roll_objtrack_ki;
    double m_pitch_objtrack_ki;
    double m_heading_objtrack_ki;
    double m_roll_objtrack_bd;
    double m_pitch_objtrack_bd;
    double m_heading_objtrack_bd;

    // Angle limits: 0 roll, 1 pitch, 2 heading.
    double m_angle_min_0;
    double m_angle_min_1;
    double m_angle_min_2;
    double m_angle_max_0;
    double m_angle_max_1;
    double m_angle_max_2;

    // Notch filter.
    double m_notch_min_snr;
    double m_notch_min_freq;
    double m_notch_band_width;

    // Follow behaviour.
    double m_flow_dead_zone;
    double m_flow_dead_gain;
    double m_flow_edge_zone;
    double m_flow_edge_gain;
};

static_assert(std::is_trivially_copyable_v<GimbalParams>);
static_assert(std::is_aggregate_v<GimbalParams>);
