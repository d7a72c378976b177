#include "app/telemetry_fields.h"

#include "app/format_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace {

template <class Member> constexpr size_t kValueCount = 1;
template <class Element, size_t N> constexpr size_t kValueCount<Element[N]> = N* kValueCount<Element>;

// Value `index` of a member, arrays taken row by row.
template <class Member> auto& ValueAt(Member& member, size_t index)
{
    if constexpr (std::is_array_v<Member>) {
        constexpr size_t kInner = kValueCount<std::remove_extent_t<Member>>;
        return ValueAt(member[index / kInner], index % kInner);
    } else {
        return member;
    }
}

template <auto Member> double Get(const TelemetryState& state, size_t index)
{
    return static_cast<double>(ValueAt(state.*Member, index));
}

template <auto Member> void Set(TelemetryState& state, size_t index, double value)
{
    auto& target = ValueAt(state.*Member, index);
    using Value = std::remove_reference_t<decltype(target)>;
    if constexpr (std::is_integral_v<Value>) {
        using Limits = std::numeric_limits<Value>;
        target = static_cast<Value>(std::clamp(std::round(value), static_cast<double>(Limits::min()),
                                               static_cast<double>(Limits::max())));
    } else {
        target = value;
    }
}

struct Shown {
    std::array<int, 3> controls{};
    TelemetryPage page = TelemetryPage::kNone;
    bool reported = false;
    TipLine tip = TipLine::kNone;
};

template <auto Member>
constexpr TelemetryField Field(TelemetryFieldId id, std::string_view key, std::string_view label, Unit unit,
                               const char* format, Shown shown = {})
{
    using Value = std::remove_reference_t<decltype(std::declval<TelemetryState&>().*Member)>;
    return {id,           key,          label,          unit,       format,         kValueCount<Value>,
            &Get<Member>, &Set<Member>, shown.controls, shown.page, shown.reported, shown.tip};
}

using F = TelemetryFieldId;
using S = TelemetryState;
constexpr auto kFrame = TelemetryPage::kEveryFrame;
constexpr auto kStatus = TelemetryPage::kStatusPage;

// clang-format off
constexpr TelemetryField kFields[] = {
    Field<&S::m_angle>(F::kAngle, "angle", "ANGL", Unit::kDegree, "%.2f", {{1021, 1022, 1026}, kFrame, true}),
    Field<&S::m_fgyr>(F::kFgyr, "fgyr", "FGYR", Unit::kDegreePerSecond, "%.1f", {{1055, 1056, 1060}, kFrame, true}),
    Field<&S::m_acce>(F::kAcce, "acce", "ACCE", Unit::kGravity, "%.2f", {{1033, 1037, 1054}, kStatus, true}),
    Field<&S::m_gyro>(F::kGyro, "gyro", "GYRO", Unit::kDegreePerSecond, "%.1f", {{1103, 1104, 1105}, kStatus, true}),
    Field<&S::m_mang>(F::kMang, "mang", "MANG", Unit::kDegree, "%.2f", {{1064, 1065, 1066}, kStatus, true}),
    Field<&S::m_mpwr>(F::kMpwr, "mpwr", "MPWR", Unit::kPercent, "%.0f", {{1071, 1072, 1075}, kStatus, true}),
    Field<&S::m_gimbal_state>(F::kGimbalState, "gimbal_state", "", Unit::kNone, "%d"),
    Field<&S::m_main_hw_flags>(F::kMainHwFlags, "main_hw_flags", "", Unit::kNone, "%d"),
    Field<&S::m_mtr0_status>(F::kMtr0Status, "mtr0_status", "MTR0", Unit::kNone, "%d", {.tip = TipLine::kStatus}),
    Field<&S::m_mtr1_status>(F::kMtr1Status, "mtr1_status", "MTR1", Unit::kNone, "%d", {.tip = TipLine::kStatus}),
    Field<&S::m_mtr2_status>(F::kMtr2Status, "mtr2_status", "MTR2", Unit::kNone, "%d", {.tip = TipLine::kStatus}),
    Field<&S::m_sens_status>(F::kSensStatus, "sens_status", "SENS", Unit::kNone, "%d", {.tip = TipLine::kStatus}),
    Field<&S::m_main_version>(F::kMainVersion, "main_version", "MAIN", Unit::kNone, "%d", {.tip = TipLine::kVersion}),
    Field<&S::m_mtr0_version>(F::kMtr0Version, "mtr0_version", "MTR0", Unit::kNone, "%d", {.tip = TipLine::kVersion}),
    Field<&S::m_mtr1_version>(F::kMtr1Version, "mtr1_version", "MTR1", Unit::kNone, "%d", {.tip = TipLine::kVersion}),
    Field<&S::m_mtr2_version>(F::kMtr2Version, "mtr2_version", "MTR2", Unit::kNone, "%d", {.tip = TipLine::kVersion}),
    Field<&S::m_sens_version>(F::kSensVersion, "sens_version", "SENS", Unit::kNone, "%d", {.tip = TipLine::kVersion}),
    Field<&S::m_progress_state>(F::kProgressState, "progress_state", "", Unit::kNone, "%d"),
    Field<&S::m_progress_value>(F::kProgressValue, "progress_value", "", Unit::kPercent, "%d"),
    Field<&S::m_c_status>(F::kCStatus, "c_status", "", Unit::kNone, "C[%02X]"),
    Field<&S::m_cal_allowed>(F::kCalAllowed, "cal_allowed", "", Unit::kNone, "%d"),
    Field<&S::m_mode_lo>(F::kModeLo, "mode_lo", "", Unit::kNone, "%d", {{1150}, kStatus}),
    Field<&S::m_mode_hi>(F::kModeHi, "mode_hi", "", Unit::kNone, "%d", {{1181}, kStatus}),
    Field<&S::m_temp_value>(F::kTempValue, "temp_value", "TEMP", Unit::kDegreeCelsius, "%.2f", {{1148}, kStatus, true}),
    Field<&S::m_temp_power>(F::kTempPower, "temp_power", "TMAX", Unit::kPercent, "%.0f", {{1149}, kStatus, true}),
    Field<&S::m_chan_sens>(F::kChanSens, "chan_sens", "", Unit::kNone, "%+.1f", {{1182}, kStatus}),
    Field<&S::m_chan_axis>(F::kChanAxis, "chan_axis", "", Unit::kNone, "%+.0f", {{1183, 1184, 1185}, kStatus}),
    Field<&S::m_chan_levels>(F::kChanLevel, "chan_level", "", Unit::kPercent, "%d"),
    Field<&S::m_grid>(F::kGrid, "grid", "", Unit::kNone, "%d"),
};
// clang-format on

// TelemetryFieldOf indexes the table by id.
constexpr bool InIdOrder()
{
    for (size_t i = 0; i < std::size(kFields); ++i) {
        if (static_cast<size_t>(kFields[i].id) != i)
            return false;
    }
    return true;
}
static_assert(InIdOrder(), "kFields must list the fields in TelemetryFieldId order");

struct UnitNames {
    std::string_view symbol;
    std::string_view suffix;
};

// Indexed by Unit.
constexpr UnitNames kUnits[] = {{"", ""},   {"deg", "deg"}, {"deg/s", "dps"},
                                {"g", "g"}, {"%", "pct"},   {"degC", "degc"}};

constexpr std::string_view kAxes[] = {"roll", "pitch", "yaw"};

// The name of one value within its field: axis, index, or row and column.
std::string ElementName(const TelemetryField& field, size_t index)
{
    if (field.count == 3)
        return std::string(AxisName(index));
    if (field.id == TelemetryFieldId::kGrid)
        return std::to_string(index / 4) + "_" + std::to_string(index % 4);
    return std::to_string(index);
}

// Whether the conversion of `format` takes an int ("%d", "%02X") rather than
// a double ("%.2f").
bool PrintsWholeNumber(std::string_view format)
{
    const size_t conversion = format.find_first_not_of("+-# 0123456789.", format.find('%') + 1);
    return conversion != std::string_view::npos &&
           std::string_view("dixX").find(format[conversion]) != std::string_view::npos;
}

} // namespace

std::string_view UnitSymbol(Unit unit)
{
    return kUnits[static_cast<size_t>(unit)].symbol;
}

std::string_view UnitSuffix(Unit unit)
{
    return kUnits[static_cast<size_t>(unit)].suffix;
}

std::span<const TelemetryField> TelemetryFields()
{
    return kFields;
}

const TelemetryField& TelemetryFieldOf(TelemetryFieldId id)
{
    return kFields[static_cast<size_t>(id)];
}

std::string_view AxisName(size_t index)
{
    return kAxes[index];
}

std::string ValueName(const TelemetryField& field, size_t index)
{
    std::string name(field.key);
    if (field.count > 1)
        name += "_" + ElementName(field, index);
    if (field.unit != Unit::kNone)
        name += "_" + std::string(UnitSuffix(field.unit));
    return name;
}

std::string ValueText(const TelemetryField& field, const TelemetryState& state, size_t index)
{
    const double value = field.get(state, index);
    return PrintsWholeNumber(field.format) ? FormatText(field.format, static_cast<int>(value))
                                           : FormatText(field.format, value);
}
