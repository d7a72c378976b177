#include "params/param_file_check.h"

#include "params/panel_binding.h"
#include "params/param_fields.h"
#include "params/param_file.h"
#include "platform/ini_file.h"
#include "protocol/param_page_codec.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <type_traits>
#include <variant>

namespace {

// from_chars takes a minus sign but not a plus sign, which printf-style
// readers accept; "+-5" stays refused.
std::string_view WithoutPlusSign(std::string_view text)
{
    if (text.starts_with('+') && !text.substr(1).starts_with('-')) {
        text.remove_prefix(1);
    }
    return text;
}

template <typename Number> bool ParsesWholly(std::string_view text, Number& value)
{
    text = WithoutPlusSign(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool IsInteger(std::string_view text)
{
    int32_t value = 0;
    return ParsesWholly(text, value);
}

// from_chars reads "inf" and "nan" too; neither is a parameter value.
bool IsFiniteReal(std::string_view text)
{
    double value = 0;
    return ParsesWholly(text, value) && std::isfinite(value);
}

bool IsHex32(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
    }
    return !text.empty() && text.size() <= 8 && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c));
    });
}

// Loading clears a block that is cut short or fails its checksum, and no
// valid block is all zeros.
bool IsCalibrationBlock(const ParamField& field, std::string_view text)
{
    GimbalParams scratch{};
    ParseParamField(scratch, field, text);
    return std::any_of(std::begin(scratch.m_mtr_cal_par), std::end(scratch.m_mtr_cal_par),
                       [](uint8_t byte) { return byte != 0; });
}

std::optional<std::string> TextProblem(const ParamField& field, std::string_view text)
{
    switch (field.format) {
    case ParamFormat::Integer:
        return IsInteger(text) ? std::nullopt : std::optional<std::string>("not a whole number");
    case ParamFormat::Real:
    case ParamFormat::RealOneDecimal:
        return IsFiniteReal(text) ? std::nullopt : std::optional<std::string>("not a number");
    case ParamFormat::Hex:
        return IsHex32(text) ? std::nullopt : std::optional<std::string>("not 1 to 8 hexadecimal digits");
    case ParamFormat::CalibrationBlock:
        return IsCalibrationBlock(field, text)
                   ? std::nullopt
                   : std::optional<std::string>("the motor calibration block is cut short or fails its "
                                                "check; uploading it would clear the motor calibration");
    }
    return std::nullopt;
}

std::optional<std::string> RangeProblem(const PanelBinding& binding, const GimbalParams& params)
{
    const std::optional<std::string> range = CheckPanelValue(binding, PanelValueOf(params, binding));
    if (!range) {
        return std::nullopt;
    }
    const bool whole = binding.type == PanelControlType::Edit && binding.kind == EditKind::Integer;
    return "the panel accepts " + std::string(whole ? "whole numbers " : "") + *range;
}

ParamFileProblem* FindProblem(std::vector<ParamFileProblem>& problems, std::string_view key)
{
    const auto found = std::find_if(problems.begin(), problems.end(),
                                    [key](const ParamFileProblem& problem) { return problem.key == key; });
    return found == problems.end() ? nullptr : &*found;
}

// Judges every bound value by its control's range. An unreadable or
// uncarried text is not judged again; a missing key is, since its default
// would go out.
void CheckRanges(const IniDocument& document, StrictParamFile& file)
{
    for (const RefusedPanelValue& refused : ValuesThePanelRefuses(file.params)) {
        ParamFileProblem* earlier = FindProblem(file.problems, refused.key);
        if (earlier == nullptr) {
            file.problems.push_back({refused.key, document.Find(kParamFileSection, refused.key).value_or(""),
                                     refused.reason, ParamProblemKind::OutOfRange});
        } else if (earlier->kind == ParamProblemKind::Missing) {
            const std::string default_text = FindParamField(refused.key)->default_text;
            earlier->reason = "missing, and its default " + default_text + " is refused: " + refused.reason;
            earlier->kind = ParamProblemKind::Unreadable;
        }
    }
}

// Reals travel as whole numbers or tenths; a value the frame carries comes
// back within the rounding of that decimal scale.
bool SameReal(double sent, double received)
{
    return std::abs(sent - received) <= 1e-9 * std::max(1.0, std::abs(sent));
}

bool SameValue(const ParamField& field, const GimbalParams& sent, const GimbalParams& received)
{
    return std::visit(
        [&](const auto& slot) {
            using Slot = std::decay_t<decltype(slot)>;
            if constexpr (std::is_same_v<Slot, double GimbalParams::*>) {
                return SameReal(sent.*slot, received.*slot);
            } else if constexpr (std::is_same_v<Slot, ChannelMapEntry>) {
                return sent.m_chan_map[slot.index] == received.m_chan_map[slot.index];
            } else if constexpr (std::is_same_v<Slot, CalibrationBlockSlot>) {
                return true; // copied byte for byte
            } else {
                return sent.*slot == received.*slot;
            }
        },
        field.slot);
}

// Names every value the frame would change on its way to the gimbal; a text
// already refused is not judged again.
void CheckCarriage(const IniDocument& document, StrictParamFile& file)
{
    const GimbalParams received = CarriedByParamPages(file.params);
    for (const ParamField& field : ParamFieldTable()) {
        if (SameValue(field, file.params, received)) {
            continue;
        }
        ParamFileProblem* earlier = FindProblem(file.problems, field.key);
        if (earlier == nullptr) {
            file.problems.push_back(
                {field.key, document.Find(kParamFileSection, field.key).value_or(""),
                 "the frame cannot carry it; the gimbal would receive " + FormatParamField(received, field),
                 ParamProblemKind::NotCarried});
        }
    }
}

std::string ReadFailure(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    const std::string cause = !std::filesystem::exists(status)            ? "no such file"
                              : !std::filesystem::is_regular_file(status) ? "not a regular file"
                                                                          : "not readable";
    return "cannot read '" + path + "': " + cause;
}

void StorePanelValue(GimbalParams& params, const PanelBinding& binding, double value)
{
    if (binding.field.real != nullptr) {
        params.*binding.field.real = value;
    } else if (binding.field.unsigned_ != nullptr) {
        params.*binding.field.unsigned_ = static_cast<uint32_t>(value);
    } else if (binding.field.channel >= 0) {
        params.m_chan_map[binding.field.channel] = static_cast<int32_t>(value);
    } else {
        params.*binding.field.integer = static_cast<int32_t>(value);
    }
}

// Only a one-decimal edit field takes fractions; it shows them rounded.
double NearestAccepted(const PanelBinding& binding, double value)
{
    const bool takes_fractions = binding.type == PanelControlType::Edit && binding.kind == EditKind::Decimal;
    const double whole = takes_fractions ? value : std::round(value);
    return std::clamp(whole, binding.min, binding.max);
}

// Clamps the problem's value; false, changing nothing, when that is no cure.
bool Clamp(const ParamFileProblem& problem, GimbalParams& params, std::vector<ClampedValue>& changes)
{
    const PanelBinding* binding = FindPanelBindingByKey(problem.key);
    const bool numeric =
        problem.kind == ParamProblemKind::OutOfRange || problem.kind == ParamProblemKind::NotCarried;
    if (!numeric || binding == nullptr) {
        return false;
    }
    const double value = NearestAccepted(*binding, PanelValueOf(params, *binding));
    if (CheckPanelValue(*binding, value)) {
        return false;
    }
    StorePanelValue(params, *binding, PanelRoundedValue(*binding, value));
    changes.push_back({problem.key, problem.text, FormatPanelValue(params, *binding)});
    return true;
}

} // namespace

std::vector<ClampedValue> ClampOutOfRangeValues(StrictParamFile& file)
{
    std::vector<ClampedValue> changes;
    std::erase_if(file.problems,
                  [&](const ParamFileProblem& problem) { return Clamp(problem, file.params, changes); });
    return changes;
}

StrictParamFile LoadParamFileStrictly(const std::string& path)
{
    StrictParamFile file;
    const IniDocument document = IniDocument::Load(path);
    if (!document.WasRead()) {
        file.error = ReadFailure(path);
        return file;
    }
    size_t keys_found = 0;
    for (const ParamField& field : ParamFieldTable()) {
        const std::optional<std::string> text = document.Find(kParamFileSection, field.key);
        keys_found += text ? 1 : 0;
        ParseParamField(file.params, field, text.value_or(field.default_text));
        if (!text) {
            file.problems.push_back({field.key, "", "missing", ParamProblemKind::Missing});
        } else if (const std::optional<std::string> reason = TextProblem(field, *text)) {
            file.problems.push_back({field.key, *text, *reason});
        }
    }
    if (keys_found == 0) {
        file.error = "'" + path + "' is not a parameter file (no key of section [" +
                     std::string(kParamFileSection) + "])";
        return file;
    }
    CheckCarriage(document, file);
    CheckRanges(document, file);
    return file;
}

std::vector<RefusedPanelValue> ValuesThePanelRefuses(const GimbalParams& params)
{
    std::vector<RefusedPanelValue> refused;
    for (const PanelBinding& binding : PanelBindings()) {
        if (const std::optional<std::string> reason = RangeProblem(binding, params)) {
            refused.push_back(
                {std::string(binding.key), FormatParamField(params, *FindParamField(binding.key)), *reason});
        }
    }
    return refused;
}
