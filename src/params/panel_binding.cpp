#include "params/panel_binding.h"

#include "platform/ini_text.h"
#include "platform/number_text.h"
#include "platform/utf8_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kIndexMax = std::numeric_limits<int32_t>::max();
constexpr double kHexMax = std::numeric_limits<uint32_t>::max();
constexpr unsigned kLargestProductCode = 255;

// One builder per kind of row, so the table below reads as the panel's layout.

constexpr PanelBinding ProductCombo(int control, std::string_view caption, std::string_view key,
                                    int32_t GimbalParams::*member)
{
    return {control,
            caption,
            key,
            PanelControlType::ComboByProductCode,
            {.integer = member},
            PanelFormat::None,
            EditKind::None,
            0,
            kLargestProductCode};
}

constexpr PanelBinding IndexCombo(int control, std::string_view caption, std::string_view key,
                                  int32_t GimbalParams::*member)
{
    return {control,
            caption,
            key,
            PanelControlType::ComboByIndex,
            {.integer = member},
            PanelFormat::None,
            EditKind::None,
            0,
            kIndexMax};
}

constexpr PanelBinding ChannelCombo(int control, std::string_view caption, std::string_view key, int channel)
{
    return {control,
            caption,
            key,
            PanelControlType::ComboByIndex,
            {.channel = channel},
            PanelFormat::None,
            EditKind::None,
            0,
            kIndexMax};
}

constexpr PanelBinding CheckBox(int control, std::string_view caption, std::string_view key,
                                int32_t GimbalParams::*member)
{
    return {control,        caption, key, PanelControlType::Check, {.integer = member}, PanelFormat::None,
            EditKind::None, 0,       1};
}

constexpr PanelBinding HexEdit(int control, std::string_view caption, std::string_view key,
                               uint32_t GimbalParams::*member)
{
    return {control,       caption, key,    PanelControlType::Edit, {.unsigned_ = member}, PanelFormat::Hex8,
            EditKind::Hex, 0,       kHexMax};
}

constexpr PanelBinding IntegerEdit(int control, std::string_view caption, std::string_view key,
                                   double GimbalParams::*member, double min, double max)
{
    return {control,           caption, key, PanelControlType::Edit, {.real = member}, PanelFormat::General,
            EditKind::Integer, min,     max};
}

constexpr PanelBinding DecimalEdit(int control, std::string_view caption, std::string_view key,
                                   double GimbalParams::*member, double min, double max)
{
    return {
        control,           caption, key, PanelControlType::Edit, {.real = member}, PanelFormat::OneDecimal,
        EditKind::Decimal, min,     max};
}

// The parameter-file key of a field is its member name.
#define ORVANE_FIELD(name) #name, &GimbalParams::name

// Both copies visit the rows in this order: combo boxes, check boxes, then
// the edit fields with the camera options first.
constexpr std::array kBindings = {
    ProductCombo(1009, "product list", ORVANE_FIELD(m_product_type)),
    IndexCombo(1003, "gimbal-type list", ORVANE_FIELD(m_gimbal_type)),
    IndexCombo(1070, "AUTO/NORMAL/INVERT", ORVANE_FIELD(m_udmode_type)),
    IndexCombo(1004, "camera-type list", ORVANE_FIELD(m_camera_type)),
    IndexCombo(1063, "ranger-type list", ORVANE_FIELD(m_ranger_type)),
    IndexCombo(1092, "OLD/NEW", ORVANE_FIELD(m_fmcpro_type)),
    IndexCombo(1005, "[IMUX]Index", ORVANE_FIELD(m_sensor_x_index)),
    IndexCombo(1006, "[IMUY]Index", ORVANE_FIELD(m_sensor_y_index)),
    IndexCombo(1085, "[IMUZ]Index", ORVANE_FIELD(m_sensor_z_index)),
    ChannelCombo(1174, "MODE", "m_chan_map_0", 0),
    ChannelCombo(1175, "SENS", "m_chan_map_1", 1),
    ChannelCombo(1176, "ROLL", "m_chan_map_2", 2),
    ChannelCombo(1177, "PITCH", "m_chan_map_3", 3),
    ChannelCombo(1178, "YAW", "m_chan_map_4", 4),

    CheckBox(1130, "[IMUX]Positive", ORVANE_FIELD(m_sensor_x_sign)),
    CheckBox(1131, "[IMUY]Positive", ORVANE_FIELD(m_sensor_y_sign)),
    CheckBox(1132, "[IMUZ]Positive", ORVANE_FIELD(m_sensor_z_sign)),
    CheckBox(1127, "[M0]RotatRevers", ORVANE_FIELD(m_motor0_dir_rev)),
    CheckBox(1128, "[M1]RotatRevers", ORVANE_FIELD(m_motor1_dir_rev)),
    CheckBox(1129, "[M2]RotatRevers", ORVANE_FIELD(m_motor2_dir_rev)),
    CheckBox(1124, "[M0]AngleRevers", ORVANE_FIELD(m_motor0_angle_rev)),
    CheckBox(1125, "[M1]AngleRevers", ORVANE_FIELD(m_motor1_angle_rev)),
    CheckBox(1126, "[M2]AngleRevers", ORVANE_FIELD(m_motor2_angle_rev)),

    HexEdit(1102, "camera options", ORVANE_FIELD(m_camera_opts)),
    IntegerEdit(1101, "AlphaAngl", ORVANE_FIELD(m_gimbal_alpha), 0, 90),
    IntegerEdit(1159, "RateFilter (left)", ORVANE_FIELD(m_fast_imu_lpf), 0, 255),
    IntegerEdit(1168, "RateFilter (right)", ORVANE_FIELD(m_rate_tar_lpf), 0, 255),
    IntegerEdit(1160, "StuckPower", ORVANE_FIELD(m_stuck_power), 0, 100),
    IntegerEdit(1145, "TiltAngle", ORVANE_FIELD(m_max_pf_tilt), 0, 90),

    IntegerEdit(1019, "RollGain", ORVANE_FIELD(m_roll_pid_kt), 0, 255),
    IntegerEdit(1023, "KP (roll)", ORVANE_FIELD(m_roll_pid_kp), 0, 255),
    IntegerEdit(1024, "KI (roll)", ORVANE_FIELD(m_roll_pid_ki), 0, 255),
    IntegerEdit(1025, "KD (roll)", ORVANE_FIELD(m_roll_pid_kd), 0, 255),
    IntegerEdit(1141, "KDP (roll)", ORVANE_FIELD(m_roll_pid_kdp), 0, 255),
    IntegerEdit(1039, "PitchGain", ORVANE_FIELD(m_pitch_pid_kt), 0, 255),
    IntegerEdit(1040, "KP (pitch)", ORVANE_FIELD(m_pitch_pid_kp), 0, 255),
    IntegerEdit(1041, "KI (pitch)", ORVANE_FIELD(m_pitch_pid_ki), 0, 255),
    IntegerEdit(1042, "KD (pitch)", ORVANE_FIELD(m_pitch_pid_kd), 0, 255),
    IntegerEdit(1142, "KDP (pitch)", ORVANE_FIELD(m_pitch_pid_kdp), 0, 255),
    IntegerEdit(1050, "YawGain", ORVANE_FIELD(m_heading_pid_kt), 0, 255),
    IntegerEdit(1051, "KP (heading)", ORVANE_FIELD(m_heading_pid_kp), 0, 255),
    IntegerEdit(1052, "KI (heading)", ORVANE_FIELD(m_heading_pid_ki), 0, 255),
    IntegerEdit(1053, "KD (heading)", ORVANE_FIELD(m_heading_pid_kd), 0, 255),
    IntegerEdit(1143, "KDP (heading)", ORVANE_FIELD(m_heading_pid_kdp), 0, 255),

    IntegerEdit(1035, "AX_KP (R)", ORVANE_FIELD(m_gb_roll_pid_kp), 0, 255),
    IntegerEdit(1034, "AX_KI (R)", ORVANE_FIELD(m_gb_roll_pid_ki), 0, 255),
    IntegerEdit(1036, "AX_FC (R)", ORVANE_FIELD(m_gb_roll_pid_kd), 0, 255),
    IntegerEdit(1045, "GB_FC (R)", ORVANE_FIELD(m_gb_roll_pid_kdp), 0, 255),
    IntegerEdit(1047, "AX_KP (P)", ORVANE_FIELD(m_gb_pitch_pid_kp), 0, 255),
    IntegerEdit(1043, "AX_KI (P)", ORVANE_FIELD(m_gb_pitch_pid_ki), 0, 255),
    IntegerEdit(1044, "AX_FC (P)", ORVANE_FIELD(m_gb_pitch_pid_kd), 0, 255),
    IntegerEdit(1062, "GB_FC (P)", ORVANE_FIELD(m_gb_pitch_pid_kdp), 0, 255),
    IntegerEdit(1079, "AX_KP (Y)", ORVANE_FIELD(m_gb_heading_pid_kp), 0, 255),
    IntegerEdit(1078, "AX_KI (Y)", ORVANE_FIELD(m_gb_heading_pid_ki), 0, 255),
    IntegerEdit(1080, "AX_FC (Y)", ORVANE_FIELD(m_gb_heading_pid_kd), 0, 255),
    IntegerEdit(1100, "GB_FC (Y)", ORVANE_FIELD(m_gb_heading_pid_kdp), 0, 255),

    DecimalEdit(1120, "RateMult", ORVANE_FIELD(m_max_rate_scale), 0, 25.5),
    IntegerEdit(1038, "BaseRate", ORVANE_FIELD(m_roll_max_rate), 0, 255),
    IntegerEdit(1049, "PtmvRate", ORVANE_FIELD(m_pitch_max_rate), 0, 255),
    IntegerEdit(1057, "ObtkRate", ORVANE_FIELD(m_heading_max_rate), 0, 255),
    IntegerEdit(1077, "PWR (roll)", ORVANE_FIELD(m_roll_max_power), 0, 100),
    IntegerEdit(1093, "PWR (pitch)", ORVANE_FIELD(m_pitch_max_power), 0, 100),
    IntegerEdit(1097, "PWR (heading)", ORVANE_FIELD(m_heading_max_power), 0, 100),

    IntegerEdit(1090, "TKP", ORVANE_FIELD(m_pid_temp_kp), 0, 255),
    IntegerEdit(1094, "TKI", ORVANE_FIELD(m_pid_temp_ki), 0, 255),
    IntegerEdit(1098, "TKD", ORVANE_FIELD(m_pid_temp_kd), 0, 255),
    IntegerEdit(1091, "TFC", ORVANE_FIELD(m_pid_temp_kdp), 0, 255),
    IntegerEdit(1095, "TEMP", ORVANE_FIELD(m_pid_temp_target), 0, 255),
    IntegerEdit(1099, "TMAX", ORVANE_FIELD(m_pid_temp_max_power), 0, 100),

    DecimalEdit(1108, "KTR (roll)", ORVANE_FIELD(m_roll_pidtgain_ratio), 0, 10),
    DecimalEdit(1109, "KTR (pitch)", ORVANE_FIELD(m_pitch_pidtgain_ratio), 0, 10),
    DecimalEdit(1123, "KTR (heading)", ORVANE_FIELD(m_heading_pidtgain_ratio), 0, 10),

    IntegerEdit(1136, "CTL_BW", ORVANE_FIELD(m_roll_objtrack_kp), 0, 255),
    IntegerEdit(1137, "OBS_BW", ORVANE_FIELD(m_pitch_objtrack_kp), 0, 255),
    IntegerEdit(1146, "DLY_MS", ORVANE_FIELD(m_heading_objtrack_kp), 0, 255),
    IntegerEdit(1138, "SPD_SS", ORVANE_FIELD(m_roll_objtrack_ki), 0, 255),
    IntegerEdit(1169, "DBD_PX", ORVANE_FIELD(m_pitch_objtrack_ki), 0, 255),
    IntegerEdit(1170, "TOT_SS", ORVANE_FIELD(m_heading_objtrack_ki), 0, 255),
    IntegerEdit(1171, "XXX_XX (roll)", ORVANE_FIELD(m_roll_objtrack_bd), 0, 255),
    IntegerEdit(1172, "XXX_XX (pitch)", ORVANE_FIELD(m_pitch_objtrack_bd), 0, 255),
    IntegerEdit(1173, "XXX_XX (heading)", ORVANE_FIELD(m_heading_objtrack_bd), 0, 255),

    IntegerEdit(1076, "[M0]PolePairs", ORVANE_FIELD(m_motor0_pole_pairs), 1, 255),
    IntegerEdit(1081, "[M1]PolePairs", ORVANE_FIELD(m_motor1_pole_pairs), 1, 255),
    IntegerEdit(1140, "[M2]PolePairs", ORVANE_FIELD(m_motor2_pole_pairs), 1, 255),
    IntegerEdit(1156, "MIN (roll)", ORVANE_FIELD(m_angle_min_0), -32768, 32767),
    IntegerEdit(1161, "MIN (pitch)", ORVANE_FIELD(m_angle_min_1), -32768, 32767),
    IntegerEdit(1162, "MIN (heading)", ORVANE_FIELD(m_angle_min_2), -32768, 32767),
    IntegerEdit(1157, "MAX (roll)", ORVANE_FIELD(m_angle_max_0), -32768, 32767),
    IntegerEdit(1163, "MAX (pitch)", ORVANE_FIELD(m_angle_max_1), -32768, 32767),
    IntegerEdit(1164, "MAX (heading)", ORVANE_FIELD(m_angle_max_2), -32768, 32767),

    IntegerEdit(1165, "NotchPara (left)", ORVANE_FIELD(m_notch_min_snr), 0, 255),
    IntegerEdit(1166, "NotchFreq", ORVANE_FIELD(m_notch_min_freq), 0, 65535),
    IntegerEdit(1167, "NotchPara (right)", ORVANE_FIELD(m_notch_band_width), 0, 255),
    DecimalEdit(1147, "FolowDead (left)", ORVANE_FIELD(m_flow_dead_zone), 0, 25.5),
    DecimalEdit(1106, "FolowDead (right)", ORVANE_FIELD(m_flow_dead_gain), 0, 25.5),
    IntegerEdit(1155, "FolowEdge (left)", ORVANE_FIELD(m_flow_edge_zone), 0, 255),
    IntegerEdit(1121, "FolowEdge (right)", ORVANE_FIELD(m_flow_edge_gain), 0, 255),
};

#undef ORVANE_FIELD

static_assert(kBindings.size() == 97);

// The int32 a combo box or check box holds: a plain member or a channel map entry.
template <typename Params> auto& IntegerOf(Params& params, const PanelField& field)
{
    return field.channel >= 0 ? params.m_chan_map[field.channel] : params.*field.integer;
}

// Formatted texts are ASCII, so widening byte by byte is exact.
std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

std::string FormatAs(PanelFormat format, double value)
{
    switch (format) {
    case PanelFormat::General:
        return FormatG(value);
    case PanelFormat::OneDecimal:
        return FormatFixed1(value);
    case PanelFormat::Hex8:
        return FormatHex32(static_cast<uint32_t>(value)).substr(2); // without the "0x"
    case PanelFormat::None:
        break;
    }
    return FormatInt(static_cast<int32_t>(value));
}

bool IsWholeWithin(double value, double min, double max)
{
    return std::trunc(value) == value && min <= value && value <= max;
}

// Whether the field's own type can hold `value`; only then can it be
// formatted the way the control shows it.
bool FitsField(const PanelBinding& binding, double value)
{
    if (binding.field.real != nullptr) {
        return true;
    }
    if (binding.field.unsigned_ != nullptr) {
        return IsWholeWithin(value, 0, kHexMax);
    }
    return IsWholeWithin(value, std::numeric_limits<int32_t>::lowest(), kIndexMax);
}

bool ControlTakes(const PanelBinding& binding, double value)
{
    if (!FitsField(binding, value)) {
        return false;
    }
    if (binding.type == PanelControlType::Edit) {
        return IsAcceptable(binding.kind, binding.min, binding.max, Widen(FormatAs(binding.shown_as, value)));
    }
    return binding.min <= value && value <= binding.max;
}

std::string DescribeRange(const PanelBinding& binding)
{
    if (binding.type == PanelControlType::ComboByIndex) {
        return "an item index, 0 or more";
    }
    return FormatAs(binding.shown_as, binding.min) + ".." + FormatAs(binding.shown_as, binding.max);
}

void SelectProductCode(ParamPanel& panel, int control, int32_t code)
{
    const int count = panel.ItemCount(control);
    for (int index = 0; index < count; ++index) {
        if (ProductCodeOf(panel.ItemText(control, index)) == code) {
            panel.SelectIndex(control, index);
            return;
        }
    }
    panel.SelectIndex(control, -1);
}

// The code of the selected item when it carries one the record can take.
std::optional<int32_t> SelectedProductCode(const ParamPanel& panel, int control)
{
    const int selection = panel.Selection(control);
    if (selection < 0) {
        return std::nullopt;
    }
    const std::optional<int> code = ProductCodeOf(panel.ItemText(control, selection));
    // A negative code read as unsigned is far above the largest code.
    if (!code || static_cast<unsigned>(*code) > kLargestProductCode) {
        return std::nullopt;
    }
    return *code;
}

void CopyControlToParams(const ParamPanel& panel, const PanelBinding& binding, GimbalParams& params)
{
    switch (binding.type) {
    case PanelControlType::ComboByProductCode:
        if (const std::optional<int32_t> code = SelectedProductCode(panel, binding.control)) {
            IntegerOf(params, binding.field) = *code;
        }
        return;
    case PanelControlType::ComboByIndex:
        if (const int selection = panel.Selection(binding.control); selection >= 0) {
            IntegerOf(params, binding.field) = selection;
        }
        return;
    case PanelControlType::Check:
        IntegerOf(params, binding.field) = panel.CheckState(binding.control);
        return;
    case PanelControlType::Edit:
        if (binding.field.unsigned_ != nullptr) {
            params.*binding.field.unsigned_ = ParseHexLikeWcstoul(panel.Text(binding.control));
        } else {
            params.*binding.field.real = ParseDoubleLikeAtof(panel.Text(binding.control));
        }
        return;
    }
}

void CopyFieldToPanel(const GimbalParams& params, const PanelBinding& binding, ParamPanel& panel)
{
    switch (binding.type) {
    case PanelControlType::ComboByProductCode:
        SelectProductCode(panel, binding.control, IntegerOf(params, binding.field));
        return;
    case PanelControlType::ComboByIndex:
        panel.SelectIndex(binding.control, IntegerOf(params, binding.field));
        return;
    case PanelControlType::Check:
        panel.SetCheckState(binding.control, IntegerOf(params, binding.field));
        return;
    case PanelControlType::Edit:
        panel.SetTextIfChanged(binding.control, FormatPanelValue(params, binding));
        return;
    }
}

} // namespace

std::span<const PanelBinding> PanelBindings()
{
    return kBindings;
}

const PanelBinding* FindPanelBinding(int control)
{
    const auto found = std::find_if(kBindings.begin(), kBindings.end(),
                                    [&](const PanelBinding& binding) { return binding.control == control; });
    return found == kBindings.end() ? nullptr : &*found;
}

const PanelBinding* FindPanelBindingByKey(std::string_view key)
{
    // Keys match as the parameter file matches them: without regard to case.
    const auto found = std::find_if(kBindings.begin(), kBindings.end(), [&](const PanelBinding& binding) {
        return IniNamesEqual(binding.key, key);
    });
    return found == kBindings.end() ? nullptr : &*found;
}

std::optional<int> ProductCodeOf(std::string_view item_text)
{
    constexpr size_t kCodeLength = 3;
    const size_t open = item_text.find('[');
    const size_t close = item_text.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close <= open) {
        return std::nullopt;
    }
    // Characters, not bytes: "[滚]" holds one character, not a code.
    const std::string_view code = item_text.substr(open + 1, close - open - 1);
    if (Utf8Length(code) != kCodeLength) {
        return std::nullopt;
    }
    return ParseIntLikeAtoi(code);
}

void CopyParamsToPanel(const GimbalParams& params, ParamPanel& panel)
{
    for (const PanelBinding& binding : kBindings) {
        CopyFieldToPanel(params, binding, panel);
    }
}

void CopyPanelToParams(ParamPanel& panel, GimbalParams& params)
{
    for (const PanelBinding& binding : kBindings) {
        CopyControlToParams(panel, binding, params);
    }
    CopyParamsToPanel(params, panel);
}

std::string FormatPanelValue(const GimbalParams& params, const PanelBinding& binding)
{
    return FormatAs(binding.shown_as, PanelValueOf(params, binding));
}

double PanelValueOf(const GimbalParams& params, const PanelBinding& binding)
{
    if (binding.field.real != nullptr) {
        return params.*binding.field.real;
    }
    if (binding.field.unsigned_ != nullptr) {
        return params.*binding.field.unsigned_;
    }
    return IntegerOf(params, binding.field);
}

std::optional<std::string> CheckPanelValue(const PanelBinding& binding, double value)
{
    if (ControlTakes(binding, value)) {
        return std::nullopt;
    }
    return DescribeRange(binding);
}

double PanelRoundedValue(const PanelBinding& binding, double value)
{
    switch (binding.shown_as) {
    case PanelFormat::General:
    case PanelFormat::OneDecimal:
        return ParseDoubleLikeAtof(FormatAs(binding.shown_as, value));
    case PanelFormat::Hex8:
    case PanelFormat::None:
        break;
    }
    return value;
}
