#include "params/param_comparison.h"

#include "params/param_fields.h"

#include <algorithm>
#include <cstring>

namespace {

// The calibration block is 272 hex digits: enough of its start to tell two
// blocks apart at a glance.
constexpr size_t kShownBlockDigits = 12;

// The item of a combo box that holds `value`, as the box would show it.
std::optional<std::string> ItemTextFor(const PanelBinding& binding, int value, const ParamPanel& panel)
{
    const int count = panel.ItemCount(binding.control);
    if (binding.type == PanelControlType::ComboByIndex)
        return value >= 0 && value < count ? std::optional(panel.ItemText(binding.control, value))
                                           : std::nullopt;
    for (int index = 0; index < count; ++index) {
        std::string text = panel.ItemText(binding.control, index);
        if (ProductCodeOf(text) == value)
            return text;
    }
    return std::nullopt;
}

std::string ShownText(const GimbalParams& params, const PanelBinding& binding, const ParamPanel& panel)
{
    std::string text = FormatPanelValue(params, binding);
    if (binding.type != PanelControlType::ComboByIndex &&
        binding.type != PanelControlType::ComboByProductCode)
        return text;
    const auto item = ItemTextFor(binding, static_cast<int>(PanelValueOf(params, binding)), panel);
    return item ? *item : text;
}

std::string ShortBlockText(const std::string& digits)
{
    return digits.size() > kShownBlockDigits ? digits.substr(0, kShownBlockDigits) + "..." : digits;
}

std::optional<ParamDifference> CompareField(const GimbalParams& current, const GimbalParams& other,
                                            const ParamField& field, const ParamPanel& panel)
{
    if (const PanelBinding* binding = FindPanelBindingByKey(field.key)) {
        // Equal as the control shows them, though the records may differ in
        // digits the control drops.
        if (FormatPanelValue(current, *binding) == FormatPanelValue(other, *binding))
            return std::nullopt;
        return ParamDifference{field.key, std::string(binding->caption), ShownText(current, *binding, panel),
                               ShownText(other, *binding, panel)};
    }
    const std::string current_text = FormatParamField(current, field);
    const std::string other_text = FormatParamField(other, field);
    if (current_text == other_text)
        return std::nullopt;
    return ParamDifference{field.key, {}, ShortBlockText(current_text), ShortBlockText(other_text)};
}

void CopyField(GimbalParams& target, const GimbalParams& source, const ParamSlot& slot)
{
    struct Copier {
        GimbalParams& target;
        const GimbalParams& source;
        void operator()(int32_t GimbalParams::*member) const { target.*member = source.*member; }
        void operator()(uint32_t GimbalParams::*member) const { target.*member = source.*member; }
        void operator()(double GimbalParams::*member) const { target.*member = source.*member; }
        void operator()(ChannelMapEntry entry) const
        {
            target.m_chan_map[entry.index] = source.m_chan_map[entry.index];
        }
        void operator()(CalibrationBlockSlot) const
        {
            std::memcpy(target.m_mtr_cal_par, source.m_mtr_cal_par, sizeof(target.m_mtr_cal_par));
        }
    };
    std::visit(Copier{target, source}, slot);
}

} // namespace

std::vector<ParamDifference> CompareParams(const GimbalParams& current, const GimbalParams& other,
                                           const ParamPanel& panel)
{
    std::vector<ParamDifference> differences;
    for (const ParamField& field : ParamFieldTable()) {
        if (auto difference = CompareField(current, other, field, panel))
            differences.push_back(std::move(*difference));
    }
    return differences;
}

void TakeParams(GimbalParams& target, const GimbalParams& source, std::span<const std::string> keys)
{
    for (const std::string& key : keys) {
        if (const ParamField* field = FindParamField(key))
            CopyField(target, source, field->slot);
    }
}
