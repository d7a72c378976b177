#pragma once

#include <cstdint>

// The live values the gimbal reports, as decoded from inbound frames. Written
// only by the decoder; the telemetry display reads it. Scales are applied on
// decoding, so every real here is in display units. `TelemetryState{}` is all
// zero. Three-element arrays run roll, pitch, yaw (left to right on screen).
struct TelemetryState {
    uint8_t m_gimbal_state;  // 0 idle, 1 running, 2 stopped, 3 paused
    uint8_t m_main_hw_flags; // bit set
    uint8_t m_mtr0_status;
    uint8_t m_mtr1_status;
    uint8_t m_mtr2_status;
    uint8_t m_sens_status;
    uint8_t m_main_version; // major = value / 10, minor = value % 10
    uint8_t m_mtr0_version;
    uint8_t m_mtr1_version;
    uint8_t m_mtr2_version;
    uint8_t m_sens_version;
    uint8_t m_progress_state; // level bar look: 1 green to value, 2 full blue, 3 full red, else empty
    uint8_t m_progress_value; // percent
    uint8_t m_c_status;       // 0xFF shown in black, anything else in red

    double m_angle[3]; // degrees, from every frame
    double m_acce[3];
    double m_gyro[3];
    double m_fgyr[3]; // from every frame
    double m_mang[3]; // motor angles
    double m_mpwr[3]; // motor powers

    uint8_t m_cal_allowed; // non-zero: the guarded calibrations may start
    double m_temp_value;
    double m_temp_power;

    int16_t m_grid[4][4]; // row, column

    uint8_t m_mode_lo; // low four bits of the mode byte
    uint8_t m_mode_hi; // high four bits of the mode byte
    double m_chan_sens;
    double m_chan_axis[3];     // roll, pitch, yaw inputs
    uint8_t m_chan_levels[16]; // row n holds levels 4n to 4n+3
};
