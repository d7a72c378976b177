#include "sim/param_pages.h"

#include <cmath>
#include <cstring>
#include <span>
#include <variant>

#include "wire/little_endian.h"

namespace {

// How one field travels in a parameter page.
enum class Wire {
    Byte,       // one unsigned byte
    SignedByte, // one byte, read back as signed
    Tenths,     // one byte holding the value x 10
    Int16,      // signed 16-bit
    UInt16,     // unsigned 16-bit
    UInt32,     // 32-bit word
};

struct ChanMapEntry {
    int index;
};
using Field =
    std::variant<int32_t GimbalParams::*, uint32_t GimbalParams::*, double GimbalParams::*, ChanMapEntry>;

struct Slot {
    uint8_t offset;
    Field field;
    Wire wire;
};

using P = GimbalParams;

constexpr Slot kPageA[] = {
    {22, &P::m_roll_pid_kt, Wire::Byte},        {23, &P::m_roll_pid_kp, Wire::Byte},
    {24, &P::m_roll_pid_ki, Wire::Byte},        {25, &P::m_roll_pid_kd, Wire::Byte},
    {26, &P::m_roll_pid_kdp, Wire::Byte},       {27, &P::m_pitch_pid_kt, Wire::Byte},
    {28, &P::m_pitch_pid_kp, Wire::Byte},       {29, &P::m_pitch_pid_ki, Wire::Byte},
    {30, &P::m_pitch_pid_kd, Wire::Byte},       {31, &P::m_pitch_pid_kdp, Wire::Byte},
    {32, &P::m_heading_pid_kt, Wire::Byte},     {33, &P::m_heading_pid_kp, Wire::Byte},
    {34, &P::m_heading_pid_ki, Wire::Byte},     {35, &P::m_heading_pid_kd, Wire::Byte},
    {36, &P::m_heading_pid_kdp, Wire::Byte},    {37, &P::m_gb_roll_pid_kp, Wire::Byte},
    {38, &P::m_gb_roll_pid_ki, Wire::Byte},     {39, &P::m_gb_roll_pid_kd, Wire::Byte},
    {40, &P::m_gb_roll_pid_kdp, Wire::Byte},    {41, &P::m_gb_pitch_pid_kp, Wire::Byte},
    {42, &P::m_gb_pitch_pid_ki, Wire::Byte},    {43, &P::m_gb_pitch_pid_kd, Wire::Byte},
    {44, &P::m_gb_pitch_pid_kdp, Wire::Byte},   {45, &P::m_gb_heading_pid_kp, Wire::Byte},
    {46, &P::m_gb_heading_pid_ki, Wire::Byte},  {47, &P::m_gb_heading_pid_kd, Wire::Byte},
    {48, &P::m_gb_heading_pid_kdp, Wire::Byte}, {49, &P::m_roll_max_rate, Wire::Byte},
    {50, &P::m_pitch_max_rate, Wire::Byte},     {51, &P::m_heading_max_rate, Wire::Byte},
    {52, &P::m_roll_max_power, Wire::Byte},     {53, &P::m_pitch_max_power, Wire::Byte},
    {54, &P::m_heading_max_power, Wire::Byte},  {55, &P::m_pid_temp_kp, Wire::Byte},
    {56, &P::m_pid_temp_ki, Wire::Byte},        {57, &P::m_pid_temp_kd, Wire::Byte},
    {58, &P::m_pid_temp_kdp, Wire::Byte},       {59, &P::m_pid_temp_target, Wire::Byte},
    {60, &P::m_pid_temp_max_power, Wire::Byte}, {61, &P::m_gimbal_type, Wire::Byte},
    {62, &P::m_camera_type, Wire::Byte},        {63, &P::m_product_type, Wire::Byte},
    {64, &P::m_gimbal_alpha, Wire::Byte},       {65, &P::m_ranger_type, Wire::Byte},
    {66, &P::m_max_pf_tilt, Wire::Byte},        {67, &P::m_fmcpro_type, Wire::Byte},
    {68, ChanMapEntry{0}, Wire::Byte},          {69, ChanMapEntry{1}, Wire::Byte},
    {70, ChanMapEntry{2}, Wire::Byte},          {71, ChanMapEntry{3}, Wire::Byte},
    {72, ChanMapEntry{4}, Wire::Byte},
};

constexpr Slot kPageB[] = {
    {22, &P::m_sensor_x_sign, Wire::SignedByte},
    {23, &P::m_sensor_y_sign, Wire::SignedByte},
    {24, &P::m_sensor_z_sign, Wire::SignedByte},
    {25, &P::m_sensor_x_index, Wire::Byte},
    {26, &P::m_sensor_y_index, Wire::Byte},
    {27, &P::m_sensor_z_index, Wire::Byte},
    {28, &P::m_motor0_pole_pairs, Wire::Byte},
    {29, &P::m_motor1_pole_pairs, Wire::Byte},
    {30, &P::m_motor2_pole_pairs, Wire::Byte},
    {31, &P::m_motor0_dir_rev, Wire::Byte},
    {32, &P::m_motor1_dir_rev, Wire::Byte},
    {33, &P::m_motor2_dir_rev, Wire::Byte},
    {34, &P::m_motor0_angle_rev, Wire::Byte},
    {35, &P::m_motor1_angle_rev, Wire::Byte},
    {36, &P::m_motor2_angle_rev, Wire::Byte},
    {37, &P::m_roll_pidtgain_ratio, Wire::Tenths},
    {38, &P::m_pitch_pidtgain_ratio, Wire::Tenths},
    {39, &P::m_heading_pidtgain_ratio, Wire::Tenths},
    {40, &P::m_roll_objtrack_kp, Wire::Byte},
    {41, &P::m_pitch_objtrack_kp, Wire::Byte},
    {42, &P::m_heading_objtrack_kp, Wire::Byte},
    {43, &P::m_roll_objtrack_ki, Wire::Byte},
    {44, &P::m_pitch_objtrack_ki, Wire::Byte},
    {45, &P::m_heading_objtrack_ki, Wire::Byte},
    {46, &P::m_roll_objtrack_bd, Wire::Byte},
    {47, &P::m_pitch_objtrack_bd, Wire::Byte},
    {48, &P::m_heading_objtrack_bd, Wire::Byte},
    {49, &P::m_camera_opts, Wire::UInt32},
    {53, &P::m_fast_imu_lpf, Wire::Byte},
    {54, &P::m_stuck_power, Wire::Byte},
    {55, &P::m_udmode_type, Wire::Byte},
    {56, &P::m_angle_min_0, Wire::Int16},
    {58, &P::m_angle_min_1, Wire::Int16},
    {60, &P::m_angle_min_2, Wire::Int16},
    {62, &P::m_angle_max_0, Wire::Int16},
    {64, &P::m_angle_max_1, Wire::Int16},
    {66, &P::m_angle_max_2, Wire::Int16},
    {68, &P::m_notch_min_snr, Wire::Byte},
    {69, &P::m_notch_min_freq, Wire::UInt16},
    {71, &P::m_notch_band_width, Wire::Byte},
    {72, &P::m_flow_dead_zone, Wire::Tenths},
    {73, &P::m_flow_dead_gain, Wire::Tenths},
    {74, &P::m_rate_tar_lpf, Wire::Byte},
    {75, &P::m_flow_edge_zone, Wire::Byte},
    {76, &P::m_flow_edge_gain, Wire::Byte},
    {77, &P::m_max_rate_scale, Wire::Tenths},
};

constexpr size_t kCalPieceSize = 34;

std::span<const Slot> SlotsOf(int index)
{
    return index == 0 ? std::span<const Slot>(kPageA) : std::span<const Slot>(kPageB);
}

double ReadField(const GimbalParams& params, const Field& field)
{
    return std::visit(
        [&params](auto member) -> double {
            if constexpr (std::is_same_v<decltype(member), ChanMapEntry>)
                return params.m_chan_map[member.index];
            else
                return static_cast<double>(params.*member);
        },
        field);
}

void WriteField(GimbalParams& params, const Field& field, double value)
{
    std::visit(
        [&params, value](auto member) {
            if constexpr (std::is_same_v<decltype(member), ChanMapEntry>)
                params.m_chan_map[member.index] = static_cast<int32_t>(value);
            else
                params.*member = static_cast<std::remove_reference_t<decltype(params.*member)>>(value);
        },
        field);
}

// Truncates toward zero to a 32-bit integer; a value that has none (out of
// range, NaN) gives 0 rather than undefined behaviour.
int64_t TruncateToWord(double value)
{
    if (!std::isfinite(value) || value <= -2147483649.0 || value >= 4294967296.0)
        return 0;
    return static_cast<int64_t>(value);
}

uint32_t EncodeValue(double value, Wire wire)
{
    if (wire == Wire::Tenths)
        return static_cast<uint32_t>(TruncateToWord(std::round(value * 10.0)));
    return static_cast<uint32_t>(TruncateToWord(value));
}

double DecodeValue(const ProtocolFrame& frame, size_t offset, Wire wire)
{
    switch (wire) {
    case Wire::Byte:
        return frame[offset];
    case Wire::SignedByte:
        return static_cast<int8_t>(frame[offset]);
    case Wire::Tenths:
        return frame[offset] * 0.1;
    case Wire::Int16:
        return static_cast<int16_t>(LoadU16(frame.data() + offset));
    case Wire::UInt16:
        return LoadU16(frame.data() + offset);
    case Wire::UInt32:
        return LoadU32(frame.data() + offset);
    }
    return 0;
}

void PutValue(ProtocolFrame& frame, size_t offset, Wire wire, uint32_t raw)
{
    switch (wire) {
    case Wire::Int16:
    case Wire::UInt16:
        StoreU16(frame.data() + offset, static_cast<uint16_t>(raw & 0xFFFF));
        return;
    case Wire::UInt32:
        StoreU32(frame.data() + offset, raw);
        return;
    default:
        frame[offset] = static_cast<uint8_t>(raw & 0xFF);
    }
}

} // namespace

void StoreParamPage(int index, const ProtocolFrame& frame, GimbalParams& params)
{
    if (index >= 2 && index < kParamPageCount) {
        std::memcpy(params.m_mtr_cal_par + kCalPieceSize * (index - 2), frame.data() + kFramePayloadOffset,
                    kCalPieceSize);
        return;
    }
    if (index < 0 || index >= 2)
        return;
    for (const Slot& slot : SlotsOf(index))
        WriteField(params, slot.field, DecodeValue(frame, slot.offset, slot.wire));
}

void FillParamPage(int index, const GimbalParams& params, ProtocolFrame& frame)
{
    if (index >= 2 && index < kParamPageCount) {
        std::memcpy(frame.data() + kFramePayloadOffset, params.m_mtr_cal_par + kCalPieceSize * (index - 2),
                    kCalPieceSize);
        return;
    }
    if (index < 0 || index >= 2)
        return;
    for (const Slot& slot : SlotsOf(index))
        PutValue(frame, slot.offset, slot.wire, EncodeValue(ReadField(params, slot.field), slot.wire));
}
