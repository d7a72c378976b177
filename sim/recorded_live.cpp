#include "sim/recorded_live.h"

#include <algorithm>
#include <cmath>

namespace {

template <class Wire> Wire Scaled(double value, double factor)
{
    return static_cast<Wire>(std::lround(value * factor));
}

template <class Wire> std::array<Wire, 3> ScaledTriple(const double (&values)[3], double factor)
{
    return {Scaled<Wire>(values[0], factor), Scaled<Wire>(values[1], factor),
            Scaled<Wire>(values[2], factor)};
}

} // namespace

RecordedLive::RecordedLive(std::vector<RecordedFrame> frames)
    : m_frames(std::move(frames)), m_duration(m_frames.back().m_seconds - m_frames.front().m_seconds)
{
}

const TelemetryState& RecordedLive::At(SimDuration now) const
{
    double seconds = std::chrono::duration<double>(now).count();
    if (m_duration > 0)
        seconds = std::fmod(seconds, m_duration);
    const double time = m_frames.front().m_seconds + seconds;
    const auto after =
        std::upper_bound(m_frames.begin(), m_frames.end(), time,
                         [](double t, const RecordedFrame& frame) { return t < frame.m_seconds; });
    return std::prev(std::max(after, m_frames.begin() + 1))->m_state;
}

AttitudeSample AttitudeOf(const TelemetryState& state)
{
    return {Scaled<int16_t>(state.m_angle[0], 100), Scaled<int16_t>(state.m_angle[1], 100),
            Scaled<uint16_t>(state.m_angle[2], 100), ScaledTriple<int32_t>(state.m_fgyr, 1000)};
}

LiveStatus StatusOf(const TelemetryState& state)
{
    LiveStatus status;
    status.gimbal_state = state.m_gimbal_state;
    status.main_hw_flags = state.m_main_hw_flags;
    status.main_version = state.m_main_version;
    status.gyro = ScaledTriple<int16_t>(state.m_gyro, 10);
    status.acce = ScaledTriple<int16_t>(state.m_acce, 100);
    status.mang = ScaledTriple<uint16_t>(state.m_mang, 100);
    status.mpwr = ScaledTriple<int16_t>(state.m_mpwr, 1);
    status.cal_allowed = state.m_cal_allowed;
    status.temp_value = Scaled<int16_t>(state.m_temp_value, 100);
    status.temp_power = Scaled<int16_t>(state.m_temp_power, 1);
    status.progress_state = state.m_progress_state;
    status.progress_value = state.m_progress_value;
    status.c_status = state.m_c_status;
    status.mtr_status = {state.m_mtr0_status, state.m_mtr1_status, state.m_mtr2_status};
    status.sens_status = state.m_sens_status;
    status.mtr_version = {state.m_mtr0_version, state.m_mtr1_version, state.m_mtr2_version};
    status.sens_version = state.m_sens_version;
    status.mode = static_cast<uint8_t>(state.m_mode_hi << 4 | (state.m_mode_lo & 0x0F));
    status.chan_sens = Scaled<int8_t>(state.m_chan_sens, 100);
    status.chan_axis = ScaledTriple<int16_t>(state.m_chan_axis, 10);
    std::copy(std::begin(state.m_chan_levels), std::end(state.m_chan_levels), status.chan_levels.begin());
    return status;
}

LiveGrid GridOf(const TelemetryState& state)
{
    LiveGrid grid{};
    for (size_t i = 0; i < grid.size(); ++i)
        grid[i] = state.m_grid[i / 4][i % 4];
    return grid;
}
