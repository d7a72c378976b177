#include "protocol/telemetry_pages.h"

#include "wire/little_endian.h"

#include <array>

namespace {

using T = TelemetryState;

struct ByteField {
    uint8_t offset;
    uint8_t T::*field;
};

constexpr std::array<ByteField, 15> kStatusBytes{{
    {22, &T::m_gimbal_state},
    {23, &T::m_main_hw_flags},
    {24, &T::m_main_version},
    {49, &T::m_cal_allowed},
    {54, &T::m_progress_state},
    {55, &T::m_progress_value},
    {56, &T::m_c_status},
    {57, &T::m_mtr0_status},
    {58, &T::m_mtr1_status},
    {59, &T::m_mtr2_status},
    {60, &T::m_sens_status},
    {61, &T::m_mtr0_version},
    {62, &T::m_mtr1_version},
    {63, &T::m_mtr2_version},
    {64, &T::m_sens_version},
}};

// Three consecutive 16-bit values scaled into one three-element array.
struct ScaledTriple {
    uint8_t offset;
    bool is_signed;
    double scale;
    double (T::*field)[3];
};

constexpr std::array<ScaledTriple, 5> kStatusTriples{{
    {25, true, 0.1, &T::m_gyro},
    {31, true, 0.01, &T::m_acce},
    {37, false, 0.01, &T::m_mang},
    {43, true, 1.0, &T::m_mpwr},
    {67, true, 0.1, &T::m_chan_axis},
}};

constexpr size_t kModeOffset = 65;
constexpr size_t kChanSensOffset = 66;
constexpr size_t kTempValueOffset = 50;
constexpr size_t kTempPowerOffset = 52;
constexpr size_t kChanRowOffset = 73;
constexpr size_t kChanRowWidth = 4;
constexpr size_t kChanRows = 4;

double Load16(const uint8_t* p, bool is_signed)
{
    return is_signed ? LoadS16(p) : LoadU16(p);
}

void DecodeChannelRow(const uint8_t* payload, TelemetryState& telemetry)
{
    const size_t row = payload[kChanRowOffset];
    if (row >= kChanRows)
        return;
    for (size_t i = 0; i < kChanRowWidth; ++i)
        telemetry.m_chan_levels[row * kChanRowWidth + i] = payload[kChanRowOffset + 1 + i];
}

} // namespace

void DecodeAttitude(const ProtocolFrame& frame, TelemetryState& telemetry)
{
    const uint8_t* in = frame.data();
    telemetry.m_angle[0] = LoadS16(in + 3) * 0.01;
    telemetry.m_angle[1] = LoadS16(in + 5) * 0.01;
    telemetry.m_angle[2] = LoadU16(in + 7) * 0.01;
    for (size_t i = 0; i < 3; ++i)
        telemetry.m_fgyr[i] = LoadS32(in + 9 + 4 * i) * 0.001;
}

void DecodeStatusPage(const ProtocolFrame& frame, TelemetryState& telemetry)
{
    const uint8_t* in = frame.data();
    for (const ByteField& row : kStatusBytes)
        telemetry.*row.field = in[row.offset];
    for (const ScaledTriple& row : kStatusTriples) {
        for (size_t i = 0; i < 3; ++i)
            (telemetry.*row.field)[i] = Load16(in + row.offset + 2 * i, row.is_signed) * row.scale;
    }
    telemetry.m_temp_value = LoadS16(in + kTempValueOffset) * 0.01;
    telemetry.m_temp_power = LoadS16(in + kTempPowerOffset);
    telemetry.m_mode_lo = in[kModeOffset] & 0x0F;
    telemetry.m_mode_hi = in[kModeOffset] >> 4;
    telemetry.m_chan_sens = static_cast<int8_t>(in[kChanSensOffset]) * 0.01;
    DecodeChannelRow(in, telemetry);
}

void DecodeGridPage(const ProtocolFrame& frame, TelemetryState& telemetry)
{
    const uint8_t* cell = frame.data() + kFramePayloadOffset;
    for (auto& row : telemetry.m_grid) {
        for (int16_t& value : row) {
            value = LoadS16(cell);
            cell += 2;
        }
    }
}
