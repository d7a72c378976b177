#include "sim/live_signals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// One slowly moving angle: offset + drift * t + amplitude * sin(w t + phase).
struct Wave {
    double offset, drift, amplitude, angular_rate, phase;

    double ValueAt(double t) const
    {
        return offset + drift * t + amplitude * std::sin(angular_rate * t + phase);
    }
    double RateAt(double t) const
    {
        return drift + amplitude * angular_rate * std::cos(angular_rate * t + phase);
    }
};

// Roll, pitch, yaw. Running: held level while the operator pans slowly.
// Not running: the camera hangs off balance and sways.
constexpr Wave kStabilised[3] = {
    {0.0, 0.0, 0.4, 0.9, 0.0}, {-5.0, 0.0, 1.5, 0.35, 1.0}, {90.0, 4.0, 6.0, 0.2, 0.0}};
constexpr Wave kLimp[3] = {
    {12.0, 0.0, 3.0, 0.6, 0.5}, {-35.0, 0.0, 4.0, 0.45, 2.0}, {140.0, 0.0, 8.0, 0.15, 0.0}};

constexpr double kAmbientCelsius = 25.0;
constexpr double kHeaterGain = 8.0;       // percent of power per degree below target
constexpr double kHeatingRate = 0.02;     // degrees per second per percent of power
constexpr double kCoolingRate = 0.01;     // per second, toward ambient
constexpr double kTemperatureStep = 0.05; // seconds of one integration step

double Seconds(SimDuration time)
{
    return std::chrono::duration<double>(time).count();
}

double Wrap360(double degrees)
{
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

template <typename T> T Saturate(double value)
{
    const double low = std::numeric_limits<T>::min();
    const double high = std::numeric_limits<T>::max();
    return static_cast<T>(std::lround(std::clamp(value, low, high)));
}

const Wave* MotionOf(bool running)
{
    return running ? kStabilised : kLimp;
}

// Level 0..100 of a channel 1..16, or 50 (centre) for an unassigned one.
double ChannelLevel(const LiveStatus& status, int32_t channel)
{
    if (channel < 1 || channel > 16)
        return 50.0;
    return status.chan_levels[static_cast<size_t>(channel - 1)];
}

} // namespace

LiveSignals::LiveSignals(uint32_t seed) : m_rng(seed) {}

double LiveSignals::Noise(double deviation)
{
    return deviation * m_normal(m_rng);
}

AttitudeSample LiveSignals::Attitude(SimDuration now, bool running)
{
    const double t = Seconds(now);
    const Wave* motion = MotionOf(running);
    AttitudeSample sample;
    sample.roll = Saturate<int16_t>((motion[0].ValueAt(t) + Noise(0.02)) * 100.0);
    sample.pitch = Saturate<int16_t>((motion[1].ValueAt(t) + Noise(0.02)) * 100.0);
    sample.yaw = static_cast<uint16_t>(std::lround(Wrap360(motion[2].ValueAt(t)) * 100.0) % 36000);
    for (size_t i = 0; i < 3; ++i)
        sample.fgyr[i] = static_cast<int32_t>(std::lround((motion[i].RateAt(t) + Noise(0.05)) * 1000.0));
    return sample;
}

void LiveSignals::Sample(SimDuration now, bool running, const GimbalParams& params, LiveStatus& status)
{
    const double t = Seconds(now);
    const Wave* motion = MotionOf(running);
    const double roll = motion[0].ValueAt(t) * std::numbers::pi / 180.0;
    const double pitch = motion[1].ValueAt(t) * std::numbers::pi / 180.0;
    const double gravity[3] = {-std::sin(pitch), std::sin(roll) * std::cos(pitch),
                               std::cos(roll) * std::cos(pitch)};
    const double max_power[3] = {params.m_roll_max_power, params.m_pitch_max_power,
                                 params.m_heading_max_power};
    for (size_t i = 0; i < 3; ++i) {
        const double rate = motion[i].RateAt(t);
        status.gyro[i] = Saturate<int16_t>((rate + Noise(0.3)) * 10.0);
        status.acce[i] = Saturate<int16_t>((gravity[i] + Noise(0.01)) * 100.0);
        status.mang[i] =
            static_cast<uint16_t>(std::lround(Wrap360(180.0 + motion[i].ValueAt(t)) * 100.0) % 36000);
        const double power = running ? std::min(max_power[i], 20.0 + 4.0 * std::abs(rate) + Noise(1.5)) : 0.0;
        status.mpwr[i] = Saturate<int16_t>(power);
    }
    AdvanceTemperature(now, params);
    status.temp_value = Saturate<int16_t>((m_temperature + Noise(0.03)) * 100.0);
    status.temp_power = Saturate<int16_t>(m_heater_power);
    SampleChannels(t, params, status);
}

void LiveSignals::AdvanceTemperature(SimDuration now, const GimbalParams& params)
{
    const double target = params.m_pid_temp_target;
    const double limit = std::clamp(params.m_pid_temp_max_power, 0.0, 100.0);
    // Integrate in small steps; a long gap (a paused reader) is capped so one
    // sample never costs more than a minute of simulated heating.
    double remaining = std::min(Seconds(now - m_temperature_time), 60.0);
    m_temperature_time = now;
    for (; remaining > 0; remaining -= kTemperatureStep) {
        const double dt = std::min(remaining, kTemperatureStep);
        m_heater_power = std::clamp((target - m_temperature) * kHeaterGain, 0.0, limit);
        m_temperature +=
            (m_heater_power * kHeatingRate - (m_temperature - kAmbientCelsius) * kCoolingRate) * dt;
    }
}

void LiveSignals::SampleChannels(double seconds, const GimbalParams& params, LiveStatus& status)
{
    for (size_t i = 0; i < status.chan_levels.size(); ++i) {
        const double period = 6.0 + static_cast<double>(i);
        const double level =
            50.0 + 35.0 * std::sin(2.0 * std::numbers::pi * seconds / period + static_cast<double>(i));
        status.chan_levels[i] = static_cast<uint8_t>(std::lround(std::clamp(level + Noise(0.5), 0.0, 100.0)));
    }
    const double mode_level = ChannelLevel(status, params.m_chan_map[0]);
    const uint8_t selected_mode = mode_level < 34.0 ? 0 : (mode_level < 67.0 ? 1 : 2);
    const uint8_t work_mode = status.gimbal_state == 1 ? 1 : 0;
    status.mode = static_cast<uint8_t>((selected_mode << 4) | work_mode);
    status.chan_sens = Saturate<int8_t>((ChannelLevel(status, params.m_chan_map[1]) - 50.0) * 2.0);
    for (size_t i = 0; i < 3; ++i)
        status.chan_axis[i] =
            Saturate<int16_t>((ChannelLevel(status, params.m_chan_map[2 + i]) - 50.0) * 10.0);
}

LiveGrid LiveSignals::Grid()
{
    // Per axis (rows roll, pitch, yaw, total): vibration peak in Hz, its
    // signal-to-noise ratio, its amplitude and the notch centre in Hz.
    LiveGrid grid{};
    for (int row = 0; row < 4; ++row) {
        const double base[4] = {120.0 + 10.0 * row, 6.0 + row, 40.0 - 5.0 * row, 80.0 + 20.0 * row};
        for (int column = 0; column < 4; ++column)
            grid[static_cast<size_t>(4 * row + column)] = Saturate<int16_t>(base[column] + Noise(1.0));
    }
    return grid;
}
