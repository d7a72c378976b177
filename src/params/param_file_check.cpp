#include "params/param_file_check.h"

#include "params/panel_binding.h"
#include "params/param_fields.h"
#include "params/param_file.h"
#include "platform/ini_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

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

template <typename Number> bool IsWholly(std::string_view text, Number& value)
{
    text = WithoutPlusSign(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool IsInteger(std::string_view text)
{
    int32_t value = 0;
    return IsWholly(text, value);
}

// from_chars reads "inf" and "nan" too; neither is a parameter value.
bool IsFiniteReal(std::string_view text)
{
    double value = 0;
    return IsWholly(text, value) && std::isfinite(value);
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

std::optional<std::string> TextProblem(const ParamField& field, const std::optional<std::string>& text)
{
    if (!text) {
        return "missing";
    }
    switch (field.format) {
    case ParamFormat::Integer:
        return IsInteger(*text) ? std::nullopt : std::optional<std::string>("not a whole number");
    case ParamFormat::Real:
    case ParamFormat::RealOneDecimal:
        return IsFiniteReal(*text) ? std::nullopt : std::optional<std::string>("not a number");
    case ParamFormat::Hex:
        return IsHex32(*text) ? std::nullopt : std::optional<std::string>("not 1 to 8 hexadecimal digits");
    case ParamFormat::CalibrationBlock:
        return IsCalibrationBlock(field, *text)
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

bool HasProblem(const std::vector<ParamFileProblem>& problems, std::string_view key)
{
    return std::any_of(problems.begin(), problems.end(),
                       [key](const ParamFileProblem& problem) { return problem.key == key; });
}

// What a copy through the panel makes of each edit field's value.
void RoundAsPanelShows(GimbalParams& params)
{
    for (const PanelBinding& binding : PanelBindings()) {
        if (binding.field.real != nullptr) {
            params.*binding.field.real = PanelRoundedValue(binding, params.*binding.field.real);
        }
    }
}

} // namespace

StrictParamFile LoadParamFileStrictly(const std::string& path)
{
    StrictParamFile result;
    const IniDocument document = IniDocument::Load(path);
    if (!document.WasRead()) {
        return result;
    }
    result.read = true;
    for (const ParamField& field : ParamFieldTable()) {
        const std::optional<std::string> text = document.Find(kParamFileSection, field.key);
        ParseParamField(result.params, field, text.value_or(field.default_text));
        if (const std::optional<std::string> reason = TextProblem(field, text)) {
            result.problems.push_back({field.key, text.value_or(""), *reason});
        }
    }
    // A value already reported as unreadable is not judged again by its range.
    for (const PanelBinding& binding : PanelBindings()) {
        const std::string key(binding.key);
        if (HasProblem(result.problems, key)) {
            continue;
        }
        if (const std::optional<std::string> reason = RangeProblem(binding, result.params)) {
            result.problems.push_back({key, document.Find(kParamFileSection, key).value_or(""), *reason});
        }
    }
    RoundAsPanelShows(result.params);
    return result;
}
