#pragma once

#include <random>

#include "params/gimbal_params.h"
#include "sim/live_pages.h"
#include "sim/sim_clock.h"

// Plausible live values of a gimbal: a stabilised or a limp attitude with
// sensor noise, motor angles and powers that follow it, a heated IMU that
// settles near the target temperature, and remote-control channels that move
// slowly. Deterministic for a given seed and sequence of sample times.
class LiveSignals {
public:
    explicit LiveSignals(uint32_t seed);

    AttitudeSample Attitude(SimDuration now, bool running);

    // Fills the sensor, motor, temperature and channel fields of `status`;
    // the state, fault, version and progress fields are the caller's.
    void Sample(SimDuration now, bool running, const GimbalParams& params, LiveStatus& status);

    LiveGrid Grid();

private:
    double Noise(double deviation);
    void AdvanceTemperature(SimDuration now, const GimbalParams& params);
    void SampleChannels(double seconds, const GimbalParams& params, LiveStatus& status);

    std::mt19937 m_rng;
    std::normal_distribution<double> m_normal{0.0, 1.0};
    double m_temperature = 25.0;
    double m_heater_power = 0.0;
    SimDuration m_temperature_time{0};
};
