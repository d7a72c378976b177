#include "resources/wrapper_rule.h"

#include <algorithm>
#include <cctype>

namespace {

// Controls whose id decides their class, whatever their window class.
struct IdRule {
    int id;
    WrapperClass wrapper;
};
constexpr IdRule kIdRules[] = {
    {1018, WrapperClass::None}, // the 3D view draws into it itself
    {1152, WrapperClass::Prog},
    {1180, WrapperClass::Chan},
    {1186, WrapperClass::List},
};

struct ButtonRule {
    uint32_t type;
    WrapperClass wrapper;
};
constexpr ButtonRule kButtonRules[] = {
    {ControlStyle::kPushButton, WrapperClass::Button},
    {ControlStyle::kAutoRadioButton, WrapperClass::Radio},
    {ControlStyle::kAutoCheckBox, WrapperClass::Check},
    {ControlStyle::kGroupBox, WrapperClass::Group},
};

// Window class names compare without regard to case.
bool SameClass(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

WrapperClass ButtonWrapper(uint32_t style)
{
    const uint32_t type = style & ControlStyle::kButtonTypeMask;
    for (const ButtonRule& rule : kButtonRules) {
        if (rule.type == type)
            return rule.wrapper;
    }
    return WrapperClass::None;
}

} // namespace

WrapperClass WrapperFor(const TemplateControl& control)
{
    for (const IdRule& rule : kIdRules) {
        if (rule.id == control.id)
            return rule.wrapper;
    }
    if (SameClass(control.window_class, kClassEdit))
        return WrapperClass::Edit;
    if (SameClass(control.window_class, kClassStatic))
        return WrapperClass::Static;
    if (SameClass(control.window_class, kClassComboBox))
        return WrapperClass::Combo;
    if (SameClass(control.window_class, kClassButton))
        return ButtonWrapper(control.style);
    return WrapperClass::None;
}
