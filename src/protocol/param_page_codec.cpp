#include "protocol/param_page_codec.h"

#include "protocol/wire_conversions.h"
#include "wire/little_endian.h"

#include <array>
#include <cstring>
#include <span>
#include <variant>

namespace {

using G = GimbalParams;

// How one field travels. Outbound first, then how the same bytes read back.
enum class WireRule : uint8_t {
    kU8,       // integer field, low 8 bits; read back unsigned
    kS8,       // integer field, low 8 bits; read back signed (sensor signs)
    kU8Trunc,  // real truncated to an integer, low 8 bits; read back unsigned
    kU8Tenths, // real x10 rounded half away from zero, low 8 bits; read back x0.1
    kI16Trunc, // real truncated, low 16 bits; read back signed
    kU16Trunc, // real truncated, low 16 bits; read back unsigned
    kU32,      // 32-bit integer field, as is
};

using IntField = int32_t G::*;
using WordField = uint32_t G::*;
using RealField = double G::*;
struct ChanMapSlot {
    uint8_t index;
};
using FieldRef = std::variant<IntField, WordField, RealField, ChanMapSlot>;

struct WireField {
    uint8_t offset;
    WireRule rule;
    FieldRef field;
};

constexpr WireField U8(uint8_t offset, IntField field)
{
    return {offset, WireRule::kU8, field};
}
constexpr WireField S8(uint8_t offset, IntField field)
{
    return {offset, WireRule::kS8, field};
}
constexpr WireField Trunc(uint8_t offset, RealField field)
{
    return {offset, WireRule::kU8Trunc, field};
}
constexpr WireField Tenths(uint8_t offset, RealField field)
{
    return {offset, WireRule::kU8Tenths, field};
}
constexpr WireField I16(uint8_t offset, RealField field)
{
    return {offset, WireRule::kI16Trunc, field};
}
constexpr WireField U16(uint8_t offset, RealField field)
{
    return {offset, WireRule::kU16Trunc, field};
}
constexpr WireField U32(uint8_t offset, WordField field)
{
    return {offset, WireRule::kU32, field};
}
constexpr WireField ChanMap(uint8_t offset, uint8_t index)
{
    return {offset, WireRule::kU8, ChanMapSlot{index}};
}

// Page 1 / 17: loop gains, limits, types and the channel map. Bytes 73..77 unused.
constexpr std::array kPageA{
    Trunc(22, &G::m_roll_pid_kt),
    Trunc(23, &G::m_roll_pid_kp),
    Trunc(24, &G::m_roll_pid_ki),
    Trunc(25, &G::m_roll_pid_kd),
    Trunc(26, &G::m_roll_pid_kdp),
    Trunc(27, &G::m_pitch_pid_kt),
    Trunc(28, &G::m_pitch_pid_kp),
    Trunc(29, &G::m_pitch_pid_ki),
    Trunc(30, &G::m_pitch_pid_kd),
    Trunc(31, &G::m_pitch_pid_kdp),
    Trunc(32, &G::m_heading_pid_kt),
    Trunc(33, &G::m_heading_pid_kp),
    Trunc(34, &G::m_heading_pid_ki),
    Trunc(35, &G::m_heading_pid_kd),
    Trunc(36, &G::m_heading_pid_kdp),
    Trunc(37, &G::m_gb_roll_pid_kp),
    Trunc(38, &G::m_gb_roll_pid_ki),
    Trunc(39, &G::m_gb_roll_pid_kd),
    Trunc(40, &G::m_gb_roll_pid_kdp),
    Trunc(41, &G::m_gb_pitch_pid_kp),
    Trunc(42, &G::m_gb_pitch_pid_ki),
    Trunc(43, &G::m_gb_pitch_pid_kd),
    Trunc(44, &G::m_gb_pitch_pid_kdp),
    Trunc(45, &G::m_gb_heading_pid_kp),
    Trunc(46, &G::m_gb_heading_pid_ki),
    Trunc(47, &G::m_gb_heading_pid_kd),
    Trunc(48, &G::m_gb_heading_pid_kdp),
    Trunc(49, &G::m_roll_max_rate),
    Trunc(50, &G::m_pitch_max_rate),
    Trunc(51, &G::m_heading_max_rate),
    Trunc(52, &G::m_roll_max_power),
    Trunc(53, &G::m_pitch_max_power),
    Trunc(54, &G::m_heading_max_power),
    Trunc(55, &G::m_pid_temp_kp),
    Trunc(56, &G::m_pid_temp_ki),
    Trunc(57, &G::m_pid_temp_kd),
    Trunc(58, &G::m_pid_temp_kdp),
    Trunc(59, &G::m_pid_temp_target),
    Trunc(60, &G::m_pid_temp_max_power),
    U8(61, &G::m_gimbal_type),
    U8(62, &G::m_camera_type),
    U8(63, &G::m_product_type),
    Trunc(64, &G::m_gimbal_alpha),
    U8(65, &G::m_ranger_type),
    Trunc(66, &G::m_max_pf_tilt),
    U8(67, &G::m_fmcpro_type),
    ChanMap(68, 0),
    ChanMap(69, 1),
    ChanMap(70, 2),
    ChanMap(71, 3),
    ChanMap(72, 4),
};

// Page 2 / 18: sensor and motor set-up, filters, tracking and angle limits.
constexpr std::array kPageB{
    S8(22, &G::m_sensor_x_sign),
    S8(23, &G::m_sensor_y_sign),
    S8(24, &G::m_sensor_z_sign),
    U8(25, &G::m_sensor_x_index),
    U8(26, &G::m_sensor_y_index),
    U8(27, &G::m_sensor_z_index),
    Trunc(28, &G::m_motor0_pole_pairs),
    Trunc(29, &G::m_motor1_pole_pairs),
    Trunc(30, &G::m_motor2_pole_pairs),
    U8(31, &G::m_motor0_dir_rev),
    U8(32, &G::m_motor1_dir_rev),
    U8(33, &G::m_motor2_dir_rev),
    U8(34, &G::m_motor0_angle_rev),
    U8(35, &G::m_motor1_angle_rev),
    U8(36, &G::m_motor2_angle_rev),
    Tenths(37, &G::m_roll_pidtgain_ratio),
    Tenths(38, &G::m_pitch_pidtgain_ratio),
    Tenths(39, &G::m_heading_pidtgain_ratio),
    Trunc(40, &G::m_roll_objtrack_kp),
    Trunc(41, &G::m_pitch_objtrack_kp),
    Trunc(42, &G::m_heading_objtrack_kp),
    Trunc(43, &G::m_roll_objtrack_ki),
    Trunc(44, &G::m_pitch_objtrack_ki),
    Trunc(45, &G::m_heading_objtrack_ki),
    Trunc(46, &G::m_roll_objtrack_bd),
    Trunc(47, &G::m_pitch_objtrack_bd),
    Trunc(48, &G::m_heading_objtrack_bd),
    U32(49, &G::m_camera_opts),
    Trunc(53, &G::m_fast_imu_lpf),
    Trunc(54, &G::m_stuck_power),
    U8(55, &G::m_udmode_type),
    I16(56, &G::m_angle_min_0),
    I16(58, &G::m_angle_min_1),
    I16(60, &G::m_angle_min_2),
    I16(62, &G::m_angle_max_0),
    I16(64, &G::m_angle_max_1),
    I16(66, &G::m_angle_max_2),
    Trunc(68, &G::m_notch_min_snr),
    U16(69, &G::m_notch_min_freq),
    Trunc(71, &G::m_notch_band_width),
    Tenths(72, &G::m_flow_dead_zone),
    Tenths(73, &G::m_flow_dead_gain),
    Trunc(74, &G::m_rate_tar_lpf),
    Trunc(75, &G::m_flow_edge_zone),
    Trunc(76, &G::m_flow_edge_gain),
    Tenths(77, &G::m_max_rate_scale),
};

constexpr size_t WidthOf(WireRule rule)
{
    switch (rule) {
    case WireRule::kI16Trunc:
    case WireRule::kU16Trunc:
        return 2;
    case WireRule::kU32:
        return 4;
    default:
        return 1;
    }
}

// Each rule works on one kind of field, and the rows of a page follow each
// other without gap or overlap; a row that breaks either, or that runs into
// the CRC, is caught at compile time.
constexpr bool RuleFitsField(const WireField& row)
{
    switch (row.rule) {
    case WireRule::kU8:
        return std::holds_alternative<IntField>(row.field) || std::holds_alternative<ChanMapSlot>(row.field);
    case WireRule::kS8:
        return std::holds_alternative<IntField>(row.field);
    case WireRule::kU32:
        return std::holds_alternative<WordField>(row.field);
    default:
        return std::holds_alternative<RealField>(row.field);
    }
}

template <size_t N> constexpr bool TableIsSound(const std::array<WireField, N>& table)
{
    size_t next_free = kFramePayloadOffset;
    for (const WireField& row : table) {
        if (!RuleFitsField(row) || row.offset != next_free)
            return false;
        next_free = row.offset + WidthOf(row.rule);
    }
    return next_free <= kFrameCrcOffset;
}

static_assert(TableIsSound(kPageA));
static_assert(TableIsSound(kPageB));

template <class Params> auto& IntOf(Params& params, const FieldRef& field)
{
    if (const auto* slot = std::get_if<ChanMapSlot>(&field))
        return params.m_chan_map[slot->index];
    return params.*std::get<IntField>(field);
}

template <class Params> auto& RealOf(Params& params, const FieldRef& field)
{
    return params.*std::get<RealField>(field);
}

template <class Params> auto& WordOf(Params& params, const FieldRef& field)
{
    return params.*std::get<WordField>(field);
}

void EncodeField(const WireField& row, const GimbalParams& params, uint8_t* out)
{
    switch (row.rule) {
    case WireRule::kU8:
    case WireRule::kS8:
        *out = static_cast<uint8_t>(IntOf(params, row.field));
        break;
    case WireRule::kU8Trunc:
        *out = static_cast<uint8_t>(TruncToInt32(RealOf(params, row.field)));
        break;
    case WireRule::kU8Tenths:
        *out = static_cast<uint8_t>(RoundTenthsToInt32(RealOf(params, row.field)));
        break;
    case WireRule::kI16Trunc:
    case WireRule::kU16Trunc:
        StoreU16(out, static_cast<uint16_t>(TruncToInt32(RealOf(params, row.field))));
        break;
    case WireRule::kU32:
        StoreU32(out, WordOf(params, row.field));
        break;
    }
}

void DecodeField(const WireField& row, const uint8_t* in, GimbalParams& params)
{
    switch (row.rule) {
    case WireRule::kU8:
        IntOf(params, row.field) = *in;
        break;
    case WireRule::kS8:
        IntOf(params, row.field) = static_cast<int8_t>(*in);
        break;
    case WireRule::kU8Trunc:
        RealOf(params, row.field) = *in;
        break;
    case WireRule::kU8Tenths:
        RealOf(params, row.field) = *in * 0.1;
        break;
    case WireRule::kI16Trunc:
        RealOf(params, row.field) = LoadS16(in);
        break;
    case WireRule::kU16Trunc:
        RealOf(params, row.field) = LoadU16(in);
        break;
    case WireRule::kU32:
        WordOf(params, row.field) = LoadU32(in);
        break;
    }
}

constexpr size_t kMotorCalChunk = 34;
static_assert(sizeof(GimbalParams::m_mtr_cal_par) == 4 * kMotorCalChunk);

// Index of a page among pages 1..6, or -1 for any other page.
int UploadIndex(uint8_t page)
{
    return IsUploadPage(page) ? page - kFirstUploadPage : -1;
}

std::span<const WireField> FieldTable(int index)
{
    if (index == 0)
        return kPageA;
    return kPageB;
}

// Pages 3..6 (index 2..5): which 34 bytes of the calibration block.
size_t MotorCalStart(int index)
{
    return static_cast<size_t>(index - 2) * kMotorCalChunk;
}

} // namespace

bool EncodeParamPage(uint8_t page, const GimbalParams& params, ProtocolFrame& frame)
{
    const int index = UploadIndex(page);
    if (index < 0)
        return false;
    if (index >= 2) {
        std::memcpy(&frame[kFramePayloadOffset], params.m_mtr_cal_par + MotorCalStart(index), kMotorCalChunk);
        return true;
    }
    for (const WireField& row : FieldTable(index))
        EncodeField(row, params, &frame[row.offset]);
    return true;
}

bool DecodeParamPage(uint8_t page, const ProtocolFrame& frame, GimbalParams& params)
{
    if (!IsDownloadPage(page))
        return false;
    const int index = UploadIndex(static_cast<uint8_t>(page - kReadBackPageDistance));
    if (index >= 2) {
        std::memcpy(params.m_mtr_cal_par + MotorCalStart(index), &frame[kFramePayloadOffset], kMotorCalChunk);
        return true;
    }
    for (const WireField& row : FieldTable(index))
        DecodeField(row, &frame[row.offset], params);
    return true;
}

GimbalParams CarriedByParamPages(const GimbalParams& params)
{
    GimbalParams carried = params;
    ProtocolFrame frame{};
    for (uint8_t page = kFirstUploadPage; page <= kLastUploadPage; ++page) {
        EncodeParamPage(page, params, frame);
        DecodeParamPage(static_cast<uint8_t>(page + kReadBackPageDistance), frame, carried);
    }
    return carried;
}
