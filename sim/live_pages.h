#pragma once

#include <array>
#include <cstdint>

#include "protocol/protocol_frame.h"

// Live values in the units the controller sends them (raw wire integers).

// Carried in bytes 3..20 of every frame.
struct AttitudeSample {
    int16_t roll = 0;              // degrees x 100
    int16_t pitch = 0;             // degrees x 100
    uint16_t yaw = 0;              // degrees x 100, 0..36000
    std::array<int32_t, 3> fgyr{}; // filtered rates, degrees per second x 1000
};

// Live status page A (page 33).
struct LiveStatus {
    uint8_t gimbal_state = 0; // 0 idle, 1 running, 2 stopped, 3 paused
    uint8_t main_hw_flags = 0;
    uint8_t main_version = 0;
    std::array<int16_t, 3> gyro{};  // degrees per second x 10
    std::array<int16_t, 3> acce{};  // g x 100
    std::array<uint16_t, 3> mang{}; // motor angles, degrees x 100
    std::array<int16_t, 3> mpwr{};  // motor powers, percent
    uint8_t cal_allowed = 0;
    int16_t temp_value = 0;     // degrees Celsius x 100
    int16_t temp_power = 0;     // percent
    uint8_t progress_state = 0; // 1 running (value in percent), 2 done, 3 failed
    uint8_t progress_value = 0;
    uint8_t c_status = 0;
    std::array<uint8_t, 3> mtr_status{};
    uint8_t sens_status = 0;
    std::array<uint8_t, 3> mtr_version{};
    uint8_t sens_version = 0;
    uint8_t mode = 0;                      // low four bits and high four bits
    int8_t chan_sens = 0;                  // x 100
    std::array<int16_t, 3> chan_axis{};    // roll, pitch, yaw inputs x 10
    std::array<uint8_t, 16> chan_levels{}; // percent
};

// Live status page B (page 34): four rows of four values.
using LiveGrid = std::array<int16_t, 16>;

inline constexpr uint8_t kStatusPage = 33;
inline constexpr uint8_t kGridPage = 34;
inline constexpr int kChannelRows = 4;

void WriteAttitude(const AttitudeSample& attitude, ProtocolFrame& frame);

// Page 33 carries one row of four channel levels; `row` (0..3) says which.
void WriteStatusPage(const LiveStatus& status, int row, ProtocolFrame& frame);

void WriteGridPage(const LiveGrid& grid, ProtocolFrame& frame);
