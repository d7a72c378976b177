#include "params/param_fields.h"

#include "platform/ini_text.h"
#include "platform/number_text.h"
#include "platform/utf8_text.h"
#include "protocol/crc16.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr size_t kBlockSize = sizeof(GimbalParams::m_mtr_cal_par);
constexpr size_t kBlockTextSize = 2 * kBlockSize;
constexpr uint16_t kBlockCrcStart = 0xABCD;

ParamField IntegerField(const char* key, int32_t GimbalParams::*member, const char* fallback = "0")
{
    return {key, ParamFormat::Integer, fallback, member};
}

ParamField RealField(const char* key, double GimbalParams::*member)
{
    return {key, ParamFormat::Real, "0", member};
}

ParamField OneDecimalField(const char* key, double GimbalParams::*member)
{
    return {key, ParamFormat::RealOneDecimal, "0", member};
}

ParamField ChannelField(size_t index)
{
    return {"m_chan_map_" + std::to_string(index), ParamFormat::Integer, "0", ChannelMapEntry{index}};
}

// The key of each field is its member name.
#define ORVANE_INTEGER(name, ...) IntegerField(#name, &GimbalParams::name __VA_OPT__(, ) __VA_ARGS__)
#define ORVANE_REAL(name) RealField(#name, &GimbalParams::name)
#define ORVANE_ONE_DECIMAL(name) OneDecimalField(#name, &GimbalParams::name)

std::vector<ParamField> BuildTable()
{
    return {
        ORVANE_INTEGER(m_product_type),
        ORVANE_INTEGER(m_gimbal_type),
        ORVANE_INTEGER(m_udmode_type),
        ORVANE_INTEGER(m_camera_type),
        ORVANE_INTEGER(m_ranger_type),
        ORVANE_INTEGER(m_fmcpro_type),
        ORVANE_INTEGER(m_sensor_x_index),
        ORVANE_INTEGER(m_sensor_y_index, "1"),
        ORVANE_INTEGER(m_sensor_z_index, "2"),
        ORVANE_INTEGER(m_sensor_x_sign),
        ORVANE_INTEGER(m_sensor_y_sign),
        ORVANE_INTEGER(m_sensor_z_sign),
        ORVANE_REAL(m_motor0_pole_pairs),
        ORVANE_REAL(m_motor1_pole_pairs),
        ORVANE_REAL(m_motor2_pole_pairs),
        ORVANE_INTEGER(m_motor0_dir_rev),
        ORVANE_INTEGER(m_motor1_dir_rev),
        ORVANE_INTEGER(m_motor2_dir_rev),
        ORVANE_INTEGER(m_motor0_angle_rev),
        ORVANE_INTEGER(m_motor1_angle_rev),
        ORVANE_INTEGER(m_motor2_angle_rev),
        ORVANE_REAL(m_roll_pid_kt),
        ORVANE_REAL(m_roll_pid_kp),
        ORVANE_REAL(m_roll_pid_ki),
        ORVANE_REAL(m_roll_pid_kd),
        ORVANE_REAL(m_roll_pid_kdp),
        ORVANE_REAL(m_pitch_pid_kt),
        ORVANE_REAL(m_pitch_pid_kp),
        ORVANE_REAL(m_pitch_pid_ki),
        ORVANE_REAL(m_pitch_pid_kd),
        ORVANE_REAL(m_pitch_pid_kdp),
        ORVANE_REAL(m_heading_pid_kt),
        ORVANE_REAL(m_heading_pid_kp),
        ORVANE_REAL(m_heading_pid_ki),
        ORVANE_REAL(m_heading_pid_kd),
        ORVANE_REAL(m_heading_pid_kdp),
        ORVANE_REAL(m_gb_roll_pid_kp),
        ORVANE_REAL(m_gb_roll_pid_ki),
        ORVANE_REAL(m_gb_roll_pid_kd),
        ORVANE_REAL(m_gb_roll_pid_kdp),
        ORVANE_REAL(m_gb_pitch_pid_kp),
        ORVANE_REAL(m_gb_pitch_pid_ki),
        ORVANE_REAL(m_gb_pitch_pid_kd),
        ORVANE_REAL(m_gb_pitch_pid_kdp),
        ORVANE_REAL(m_gb_heading_pid_kp),
        ORVANE_REAL(m_gb_heading_pid_ki),
        ORVANE_REAL(m_gb_heading_pid_kd),
        ORVANE_REAL(m_gb_heading_pid_kdp),
        ORVANE_ONE_DECIMAL(m_max_rate_scale),
        ORVANE_REAL(m_roll_max_rate),
        ORVANE_REAL(m_pitch_max_rate),
        ORVANE_REAL(m_heading_max_rate),
        ORVANE_REAL(m_roll_max_power),
        ORVANE_REAL(m_pitch_max_power),
        ORVANE_REAL(m_heading_max_power),
        ORVANE_REAL(m_pid_temp_kp),
        ORVANE_REAL(m_pid_temp_ki),
        ORVANE_REAL(m_pid_temp_kd),
        ORVANE_REAL(m_pid_temp_kdp),
        ORVANE_REAL(m_pid_temp_target),
        ORVANE_REAL(m_pid_temp_max_power),
        ORVANE_ONE_DECIMAL(m_roll_pidtgain_ratio),
        ORVANE_ONE_DECIMAL(m_pitch_pidtgain_ratio),
        ORVANE_ONE_DECIMAL(m_heading_pidtgain_ratio),
        ORVANE_REAL(m_roll_objtrack_kp),
        ORVANE_REAL(m_pitch_objtrack_kp),
        ORVANE_REAL(m_heading_objtrack_kp),
        ORVANE_REAL(m_roll_objtrack_ki),
        ORVANE_REAL(m_pitch_objtrack_ki),
        ORVANE_REAL(m_heading_objtrack_ki),
        ORVANE_REAL(m_roll_objtrack_bd),
        ORVANE_REAL(m_pitch_objtrack_bd),
        ORVANE_REAL(m_heading_objtrack_bd),
        {"m_camera_opts", ParamFormat::Hex, "0x00000000", &GimbalParams::m_camera_opts},
        ORVANE_REAL(m_gimbal_alpha),
        ORVANE_REAL(m_fast_imu_lpf),
        ORVANE_REAL(m_rate_tar_lpf),
        ORVANE_REAL(m_stuck_power),
        ORVANE_REAL(m_max_pf_tilt),
        ORVANE_REAL(m_angle_min_0),
        ORVANE_REAL(m_angle_min_1),
        ORVANE_REAL(m_angle_min_2),
        ORVANE_REAL(m_angle_max_0),
        ORVANE_REAL(m_angle_max_1),
        ORVANE_REAL(m_angle_max_2),
        ORVANE_REAL(m_notch_min_snr),
        ORVANE_REAL(m_notch_min_freq),
        ORVANE_REAL(m_notch_band_width),
        ORVANE_ONE_DECIMAL(m_flow_dead_zone),
        ORVANE_ONE_DECIMAL(m_flow_dead_gain),
        ORVANE_REAL(m_flow_edge_zone),
        ORVANE_REAL(m_flow_edge_gain),
        ChannelField(0),
        ChannelField(1),
        ChannelField(2),
        ChannelField(3),
        ChannelField(4),
        {"m_mtr_cal_par", ParamFormat::CalibrationBlock, "0", CalibrationBlockSlot{}},
    };
}

#undef ORVANE_INTEGER
#undef ORVANE_REAL
#undef ORVANE_ONE_DECIMAL

// The int32 a field names: a plain member or a channel map entry.
template <typename Params> auto& IntegerOf(Params& params, const ParamSlot& slot)
{
    if (const auto* entry = std::get_if<ChannelMapEntry>(&slot)) {
        return params.m_chan_map[entry->index];
    }
    return params.*std::get<int32_t GimbalParams::*>(slot);
}

template <typename Params> auto& RealOf(Params& params, const ParamSlot& slot)
{
    return params.*std::get<double GimbalParams::*>(slot);
}

template <typename Params> auto& HexOf(Params& params, const ParamSlot& slot)
{
    return params.*std::get<uint32_t GimbalParams::*>(slot);
}

std::string FormatBlock(const uint8_t (&block)[kBlockSize])
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(kBlockTextSize);
    for (const uint8_t byte : block) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

// Characters are counted as the file's text has them; a block whose digits
// are not all ASCII cannot hold a valid block, so it is refused outright.
bool HasBlockLength(std::string_view text)
{
    const size_t length = Utf8Length(text);
    return (length == kBlockTextSize || length == kBlockTextSize + 1) && text.size() >= kBlockTextSize &&
           std::none_of(text.begin(), text.begin() + kBlockTextSize,
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

void ParseBlock(uint8_t (&block)[kBlockSize], std::string_view text)
{
    std::array<uint8_t, kBlockSize> buffer{};
    if (HasBlockLength(text)) {
        for (size_t i = 0; i < kBlockSize; ++i) {
            buffer[i] = static_cast<uint8_t>(ParseHexLikeWcstoul(text.substr(2 * i, 2)) & 0xFF);
        }
        if (crc16(buffer.data(), buffer.size(), kBlockCrcStart) == 0) {
            std::memcpy(block, buffer.data(), kBlockSize);
            return;
        }
    }
    std::memset(block, 0, kBlockSize);
}

} // namespace

const std::vector<ParamField>& ParamFieldTable()
{
    static const std::vector<ParamField> table = BuildTable();
    return table;
}

const ParamField* FindParamField(std::string_view key)
{
    const auto& table = ParamFieldTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const ParamField& field) { return IniNamesEqual(field.key, key); });
    return found == table.end() ? nullptr : &*found;
}

std::string FormatParamField(const GimbalParams& params, const ParamField& field)
{
    switch (field.format) {
    case ParamFormat::Integer:
        return FormatInt(IntegerOf(params, field.slot));
    case ParamFormat::Real:
        return FormatG(RealOf(params, field.slot));
    case ParamFormat::RealOneDecimal:
        return FormatFixed1(RealOf(params, field.slot));
    case ParamFormat::Hex:
        return FormatHex32(HexOf(params, field.slot));
    case ParamFormat::CalibrationBlock:
        return FormatBlock(params.m_mtr_cal_par);
    }
    return {};
}

void ParseParamField(GimbalParams& params, const ParamField& field, std::string_view text)
{
    switch (field.format) {
    case ParamFormat::Integer:
        IntegerOf(params, field.slot) = ParseIntLikeAtoi(text);
        return;
    case ParamFormat::Real:
    case ParamFormat::RealOneDecimal:
        RealOf(params, field.slot) = ParseDoubleLikeAtof(text);
        return;
    case ParamFormat::Hex:
        HexOf(params, field.slot) = ParseHexLikeWcstoul(text);
        return;
    case ParamFormat::CalibrationBlock:
        ParseBlock(params.m_mtr_cal_par, text);
        return;
    }
}
