#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The main dialog's layout as data: every child control with its window
// class, style, id, caption and place in dialog units, in both language
// variants. The window builds its controls from it; nothing here knows Qt.

// Window classes a control of the template can have.
inline constexpr std::string_view kClassEdit = "Edit";
inline constexpr std::string_view kClassStatic = "Static";
inline constexpr std::string_view kClassButton = "Button";
inline constexpr std::string_view kClassComboBox = "ComboBox";
inline constexpr std::string_view kClassListView = "SysListView32";

// Style bits the window reads.
namespace ControlStyle {
inline constexpr uint32_t kButtonTypeMask = 0x000F;
inline constexpr uint32_t kPushButton = 0x0000;
inline constexpr uint32_t kAutoCheckBox = 0x0003;
inline constexpr uint32_t kGroupBox = 0x0007;
inline constexpr uint32_t kAutoRadioButton = 0x0009;
inline constexpr uint32_t kGroup = 0x00020000; // first control of a group; a radio group ends at the next
inline constexpr uint32_t kStaticAlignMask = 0x0003;
inline constexpr uint32_t kStaticLeft = 0x0000;
inline constexpr uint32_t kStaticCenter = 0x0001;
inline constexpr uint32_t kStaticRight = 0x0002;
inline constexpr uint32_t kSunken = 0x1000;        // static or edit drawn with a sunken edge
inline constexpr uint32_t kComboSort = 0x0100;     // the box keeps its items sorted as text
inline constexpr uint32_t kReadOnly = 0x0800;      // edit field the user cannot type into
inline constexpr uint32_t kDropDownList = 0x0003;  // combo box whose list opens below a fixed field
inline constexpr uint32_t kInvisible = 0x80000000; // created but never shown (the visible-area frame)
} // namespace ControlStyle

// A control without an id (a plain label or group frame).
inline constexpr int kNoControlId = -1;

// A rectangle in dialog units: x, y of the top-left corner, width, height.
struct DluRect {
    int x;
    int y;
    int width;
    int height;
};

struct TemplateControl {
    std::string_view window_class; // one of the kClass names above
    uint32_t style;
    int id;                   // kNoControlId for none
    std::string_view caption; // UTF-8; empty for none
    DluRect rect;
};

struct DialogTemplate {
    int width;  // dialog units
    int height; // dialog units
    // In creation (z-) order, the order the window walks them.
    std::span<const TemplateControl> controls;
};

// Id of the invisible group whose frame is the part of the dialog the window shows.
inline constexpr int kVisibleAreaControl = 1000;
inline constexpr DluRect kVisibleArea{0, 0, 384, 225};

// The template in `language` (Chinese for kLanguageChinese, English for any other).
const DialogTemplate& MainDialogTemplate(uint16_t language);

// The items a fixed combo box starts with (1005, 1006, 1085, 1070, 1092,
// 1174 to 1178) in `language`; empty for any other control.
std::span<const std::string_view> InitialComboItems(int control_id, uint16_t language);

// The control with `id` in `dialog`, or nullptr.
const TemplateControl* FindTemplateControl(const DialogTemplate& dialog, int id);
