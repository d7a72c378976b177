#include "platform/ui_language.h"
#include "resources/accessible_names.h"
#include "resources/dialog_template.h"
#include "resources/dialog_units.h"
#include "resources/message_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace ControlStyle;

constexpr uint16_t kBothLanguages[] = {kLanguageEnglish, kLanguageChinese};

const DialogTemplate& English()
{
    return MainDialogTemplate(kLanguageEnglish);
}
const DialogTemplate& Chinese()
{
    return MainDialogTemplate(kLanguageChinese);
}

// The wrapper kind the window attaches, by window class and button type.
std::string KindOf(const TemplateControl& control)
{
    if (control.window_class != kClassButton) {
        return std::string(control.window_class);
    }
    switch (control.style & kButtonTypeMask) {
    case kPushButton:
        return "PushButton";
    case kAutoCheckBox:
        return "CheckBox";
    case kGroupBox:
        return "GroupBox";
    case kAutoRadioButton:
        return "RadioButton";
    default:
        return "OtherButton";
    }
}

bool IsGroupBox(const TemplateControl& control)
{
    return KindOf(control) == "GroupBox";
}

bool Intersects(const DluRect& a, const DluRect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Contains(const DluRect& outer, const DluRect& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

std::string Describe(const TemplateControl& control)
{
    return std::string(control.window_class) + " " + std::to_string(control.id) + " \"" +
           std::string(control.caption) + "\" at (" + std::to_string(control.rect.x) + "," +
           std::to_string(control.rect.y) + ")";
}

// Ids the visible area holds.
const std::set<int> kVisibleIds = {1000, 1018, 1021, 1022, 1026, 1033, 1037, 1054, 1103, 1104, 1105, 1064,
                                   1065, 1066, 1019, 1039, 1050, 1181, 1182, 1183, 1184, 1185, 1174, 1175,
                                   1176, 1177, 1178, 1180, 1068, 1150, 1059, 1046, 1027, 1028, 1152, 1030,
                                   1001, 1002, 1014, 1015, 1007, 1008, 1010, 1012, 1013, 1083};

// Visible controls without an id, by their place in the English variant.
const std::set<std::pair<int, int>> kVisibleUnnamedPlaces = {
    {6, 98},   {6, 150},  {214, 0},   {214, 125}, // group boxes
    {8, 143},  {75, 143}, {146, 143}, {12, 156},  // gain labels, channel caption line
    {12, 107}, {12, 115}, {12, 123},  {12, 131},  // telemetry row labels
};

// Whether the control at `index` belongs to the visible area.
bool IsVisibleControl(size_t index)
{
    const TemplateControl& english = English().controls[index];
    if (english.id != kNoControlId) {
        return kVisibleIds.contains(english.id);
    }
    return kVisibleUnnamedPlaces.contains({english.rect.x, english.rect.y});
}

// ---- Controls, kinds and ids ----

TEST(DialogTemplateTest, HasTheControlKindsTheWindowWrapsInBothLanguages)
{
    const std::map<std::string, int> expected = {
        {"Edit", 74},     {"Static", 68},  {"PushButton", 30}, {"ComboBox", 16},
        {"GroupBox", 13}, {"CheckBox", 9}, {"RadioButton", 5}, {"SysListView32", 1},
    };
    for (uint16_t language : kBothLanguages) {
        std::map<std::string, int> counts;
        for (const TemplateControl& control : MainDialogTemplate(language).controls) {
            ++counts[KindOf(control)];
        }
        EXPECT_EQ(counts, expected) << language;
        EXPECT_EQ(MainDialogTemplate(language).controls.size(), 216u);
    }
}

TEST(DialogTemplateTest, HasOneHundredSeventyUniqueIdsAndTwelveUnnamedGroups)
{
    std::set<int> ids;
    int with_id = 0;
    int unnamed_groups = 0;
    for (const TemplateControl& control : English().controls) {
        if (control.id != kNoControlId) {
            ++with_id;
            ids.insert(control.id);
        } else if (IsGroupBox(control)) {
            ++unnamed_groups;
        }
    }
    EXPECT_EQ(with_id, 170);
    EXPECT_EQ(ids.size(), 170u) << "ids must be unique";
    EXPECT_EQ(unnamed_groups, 12);
}

TEST(DialogTemplateTest, BothLanguagesHaveTheSameControlsInTheSameOrder)
{
    ASSERT_EQ(English().controls.size(), Chinese().controls.size());
    for (size_t i = 0; i < English().controls.size(); ++i) {
        const TemplateControl& english = English().controls[i];
        const TemplateControl& chinese = Chinese().controls[i];
        EXPECT_EQ(english.id, chinese.id) << i;
        EXPECT_EQ(english.window_class, chinese.window_class) << i;
        EXPECT_EQ(english.style, chinese.style) << i;
    }
}

TEST(DialogTemplateTest, SpecialControlsCarryTheirStyles)
{
    for (uint16_t language : kBothLanguages) {
        const DialogTemplate& dialog = MainDialogTemplate(language);
        const TemplateControl& frame = dialog.controls.front();
        EXPECT_EQ(frame.id, kVisibleAreaControl);
        EXPECT_TRUE(IsGroupBox(frame));
        EXPECT_TRUE(frame.style & kInvisible);
        EXPECT_EQ(frame.rect.x, 0);
        EXPECT_EQ(frame.rect.y, 0);
        EXPECT_EQ(frame.rect.width, kVisibleArea.width);
        EXPECT_EQ(frame.rect.height, kVisibleArea.height);

        const TemplateControl* view_host = FindTemplateControl(dialog, 1018);
        ASSERT_NE(view_host, nullptr);
        EXPECT_EQ(view_host->window_class, kClassStatic);
        EXPECT_TRUE(view_host->style & kSunken);

        for (const TemplateControl& control : dialog.controls) {
            EXPECT_EQ(control.id != kVisibleAreaControl, (control.style & kInvisible) == 0)
                << Describe(control);
            if (control.window_class == kClassComboBox) {
                EXPECT_EQ(control.style & kDropDownList, kDropDownList) << control.id;
                EXPECT_EQ((control.style & kComboSort) != 0, control.id == 1001) << control.id;
            }
            if (KindOf(control) == "RadioButton") {
                EXPECT_GE(control.id, 1115);
                EXPECT_LE(control.id, 1119);
                EXPECT_EQ((control.style & kGroup) != 0, control.id == 1115) << control.id;
            }
        }
    }
}

TEST(DialogTemplateTest, RadioButtonsFollowEachOtherSoTheyFormOneGroup)
{
    const auto controls = English().controls;
    const auto first = std::ranges::find(controls, 1115, &TemplateControl::id);
    ASSERT_NE(first, controls.end());
    for (int offset = 0; offset < 5; ++offset) {
        EXPECT_EQ(first[offset].id, 1115 + offset);
    }
    EXPECT_TRUE(first[5].style & kGroup) << "the control after the radio buttons starts a new group";
}

TEST(DialogTemplateTest, FindTemplateControlFindsIdsOnly)
{
    const TemplateControl* status = FindTemplateControl(English(), 1068);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->id, 1068);
    EXPECT_EQ(FindTemplateControl(English(), 999), nullptr);
    EXPECT_EQ(FindTemplateControl(English(), kNoControlId), nullptr);
}

// ---- Captions ----

struct CaptionRow {
    int id;                            // kNoControlId: found by english_place
    std::pair<int, int> english_place; // x, y of a label without id
    const char* english;
    const char* chinese;
};

const TemplateControl* FindCaptioned(const DialogTemplate& dialog, const CaptionRow& row)
{
    if (row.id != kNoControlId) {
        return FindTemplateControl(dialog, row.id);
    }
    const auto controls = English().controls;
    const auto found = std::ranges::find_if(controls, [&](const TemplateControl& control) {
        return control.id == kNoControlId && control.rect.x == row.english_place.first &&
               control.rect.y == row.english_place.second && control.window_class == kClassStatic;
    });
    if (found == controls.end()) {
        return nullptr;
    }
    return &dialog.controls[static_cast<size_t>(found - controls.begin())];
}

TEST(DialogTemplateTest, CaptionsThatDifferBetweenTheLanguages)
{
    const CaptionRow rows[] = {
        {1002, {}, "Start Debug", "开始调试"},
        {1014, {}, "Open Param", "打开参数"},
        {1015, {}, "Save Param", "保存参数"},
        {1007, {}, "Upload Param", "上传参数"},
        {1008, {}, "Download Param", "下载参数"},
        {1010, {}, "Save Param To Flash", "烧写参数"},
        {1012, {}, "Gimbal Run", "启动云台"},
        {1013, {}, "Gimbal Stop", "停止云台"},
        {kNoControlId, {8, 143}, "RollGain", "滚转增益"},
        {kNoControlId, {75, 143}, "PitchGain", "俯仰增益"},
        {kNoControlId, {146, 143}, "YawGain", "指向增益"},
        {kNoControlId,
         {12, 156},
         "  MODE      SENS      ROLL     PITCH      YAW",
         "  模式     灵敏度     滚转      俯仰      指向"},
        {1083, {}, "Gyro Calibration", "陀螺仪校准"},
        {1027, {}, "Open", "打开"},
        {1028, {}, "Upgrade", "升级"},
        {kNoControlId,
         {188, 315},
         "KT    KP   KI    KD   KDP  PWR   KTR   MIN   MAX",
         "KT   KP   KI   KD   KDP  PWR  KTR   MIN   MAX"},
        {kNoControlId, {187, 379}, "AX_KP   AX_KI    AX_FC   GB_FC", "AX_KP  AX_KI  AX_FC  GB_FC"},
        {kNoControlId, {174, 391}, "R", "滚转"},
        {kNoControlId, {174, 405}, "P", "俯仰"},
        {kNoControlId, {174, 419}, "Y", "指向"},
        {1016, {}, "Motor Zero Calibration", " 电机零点校准 "},
        {1011, {}, "Gimbal Zero Calibration", " 云台零点校准 "},
        {kNoControlId, {175, 447}, "BaseRate", "基础限速"},
        {kNoControlId, {234, 447}, "TiltAngle", "平台倾角"},
        {kNoControlId, {310, 447}, "RateFilter", "转速滤波"},
        {kNoControlId, {175, 460}, "PtmvRate", "平移限速"},
        {kNoControlId, {234, 460}, "AlphaAngl", "电机倾角"},
        {kNoControlId, {310, 460}, "NotchPara", "陷波参数"},
        {1151, {}, "Acce Advanced Calibration", "加速度高级校准"},
        {kNoControlId, {175, 473}, "ObtkRate", "跟踪限速"},
        {kNoControlId, {234, 473}, "FolowDead", "跟随死区"},
        {kNoControlId, {310, 473}, "NotchFreq", "陷波频率"},
        {1153, {}, "Gyro Advanced Calibration", "陀螺仪高级校准"},
        {kNoControlId, {175, 486}, "RateMult", "限速倍率"},
        {kNoControlId, {234, 486}, "FolowEdge", "跟随边界"},
        {kNoControlId, {310, 486}, "StuckPower", "堵转功率"},
        {1158, {}, "Gyro Calibration Reset", "陀螺仪校准重置"},
        {1096, {}, "Motor Angle Calibration", " 电机角度校准 "},
        {1130, {}, "[IMUX]Positive", "[IMUX]符号为正"},
        {1131, {}, "[IMUY]Positive", "[IMUY]符号为正"},
        {1132, {}, "[IMUZ]Positive", "[IMUZ]符号为正"},
        {kNoControlId, {176, 524}, "[IMUX]Index", "[IMUX]索引"},
        {kNoControlId, {247, 524}, "[IMUY]Index", "[IMUY]索引"},
        {kNoControlId, {317, 524}, "[IMUZ]Index", "[IMUZ]索引"},
        {1048, {}, "Photo", "拍照"},
        {1084, {}, "Video", "录像"},
        {1017, {}, "Focus", "对焦"},
        {kNoControlId, {176, 551}, "[M0]PolePairs", "[MTR0]极对数"},
        {kNoControlId, {246, 551}, "[M1]PolePairs", "[MTR1]极对数"},
        {kNoControlId, {316, 551}, "[M2]PolePairs", "[MTR2]极对数"},
        {1086, {}, "Zoom In", "放大"},
        {1087, {}, "Zoom Out", "缩小"},
        {1020, {}, "Zoom Stop", "停止"},
        {1127, {}, "[M0]RotatRevers", "[MTR0]旋转反向"},
        {1128, {}, "[M1]RotatRevers", "[MTR1]旋转反向"},
        {1129, {}, "[M2]RotatRevers", "[MTR2]旋转反向"},
        {1124, {}, "[M0]AngleRevers", "[MTR0]角度反向"},
        {1125, {}, "[M1]AngleRevers", "[MTR1]角度反向"},
        {1126, {}, "[M2]AngleRevers", "[MTR2]角度反向"},
    };
    for (const CaptionRow& row : rows) {
        const TemplateControl* english = FindCaptioned(English(), row);
        const TemplateControl* chinese = FindCaptioned(Chinese(), row);
        ASSERT_NE(english, nullptr) << row.english;
        ASSERT_NE(chinese, nullptr) << row.english;
        EXPECT_EQ(english->caption, row.english);
        EXPECT_EQ(chinese->caption, row.chinese);
    }
}

TEST(DialogTemplateTest, CaptionsThatAreTheSameInBothLanguages)
{
    const std::vector<std::pair<int, std::string_view>> by_id = {
        {1115, "3D"},    {1116, "GA"},    {1117, "GX"},    {1118, "GY"},   {1119, "GZ"},   {1107, "TEST1"},
        {1139, "TEST2"}, {1029, "TEST3"}, {1122, "TEST4"}, {1112, "AUX1"}, {1144, "AUX2"}, {1061, "AUX3"},
    };
    for (uint16_t language : kBothLanguages) {
        for (const auto& [id, caption] : by_id) {
            const TemplateControl* control = FindTemplateControl(MainDialogTemplate(language), id);
            ASSERT_NE(control, nullptr) << id;
            EXPECT_EQ(control->caption, caption) << id;
        }
        std::multiset<std::string_view> labels;
        for (const TemplateControl& control : MainDialogTemplate(language).controls) {
            labels.insert(control.caption);
        }
        for (std::string_view label :
             {"ANGL", "ACCE", "GYRO", "MANG", "FGYR", "MPWR", "TEMP   TKP    TKI    TKD   TFC    TMAX"}) {
            EXPECT_EQ(labels.count(label), 1u) << label;
        }
    }
}

TEST(DialogTemplateTest, ButtonCaptionsTheHandlersCompareMatchTheMessages)
{
    for (uint16_t language : kBothLanguages) {
        const DialogTemplate& dialog = MainDialogTemplate(language);
        EXPECT_EQ(FindTemplateControl(dialog, 1028)->caption, LoadMessage(196, language));
        EXPECT_EQ(FindTemplateControl(dialog, 1002)->caption, LoadMessage(198, language));
    }
}

TEST(DialogTemplateTest, OnlyLabelsButtonsCheckAndRadioBoxesHaveCaptions)
{
    for (uint16_t language : kBothLanguages) {
        for (const TemplateControl& control : MainDialogTemplate(language).controls) {
            const std::string kind = KindOf(control);
            const bool labelled = kind == "PushButton" || kind == "CheckBox" || kind == "RadioButton" ||
                                  (kind == "Static" && control.id == kNoControlId);
            EXPECT_EQ(!control.caption.empty(), labelled) << Describe(control);
        }
    }
}

// ---- Places ----

TEST(DialogTemplateTest, TemplateSizesFollowTheLanguage)
{
    EXPECT_EQ(English().width, 526);
    EXPECT_EQ(English().height, 616);
    EXPECT_EQ(Chinese().width, 493);
    EXPECT_EQ(Chinese().height, 616);
    for (uint16_t other : {uint16_t{0}, uint16_t{9}, uint16_t{1031}}) {
        EXPECT_EQ(&MainDialogTemplate(other), &English()) << other;
    }
}

TEST(DialogTemplateTest, EveryControlLiesInsideTheTemplate)
{
    for (uint16_t language : kBothLanguages) {
        const DialogTemplate& dialog = MainDialogTemplate(language);
        const DluRect whole{0, 0, dialog.width, dialog.height};
        for (const TemplateControl& control : dialog.controls) {
            EXPECT_TRUE(Contains(whole, control.rect)) << language << ": " << Describe(control);
            EXPECT_GT(control.rect.width, 0) << Describe(control);
            EXPECT_GT(control.rect.height, 0) << Describe(control);
        }
    }
}

TEST(DialogTemplateTest, VisibleControlsLieInsideTheFrameAndAllOthersOutside)
{
    for (uint16_t language : kBothLanguages) {
        const auto controls = MainDialogTemplate(language).controls;
        int visible = 0;
        for (size_t i = 0; i < controls.size(); ++i) {
            if (IsVisibleControl(i)) {
                ++visible;
                EXPECT_TRUE(Contains(kVisibleArea, controls[i].rect))
                    << language << ": " << Describe(controls[i]);
            } else {
                EXPECT_FALSE(Intersects(kVisibleArea, controls[i].rect))
                    << language << ": " << Describe(controls[i]);
            }
        }
        EXPECT_EQ(visible, static_cast<int>(kVisibleIds.size() + kVisibleUnnamedPlaces.size()));
    }
}

TEST(DialogTemplateTest, VisibleAreaHasTheFixedLayoutInBothLanguages)
{
    const std::vector<std::pair<int, DluRect>> places = {
        {1018, {6, 5, 202, 96}},
        {1180, {6, 189, 363, 10}},
        {1152, {6, 212, 363, 3}},
    };
    for (uint16_t language : kBothLanguages) {
        const DialogTemplate& dialog = MainDialogTemplate(language);
        for (const auto& [id, rect] : places) {
            const DluRect& actual = FindTemplateControl(dialog, id)->rect;
            EXPECT_EQ(std::tie(actual.x, actual.y, actual.width, actual.height),
                      std::tie(rect.x, rect.y, rect.width, rect.height))
                << id;
        }
        for (int id : {1068, 1150, 1059, 1046, 1027, 1028}) {
            EXPECT_EQ(FindTemplateControl(dialog, id)->rect.y, 201) << id;
        }
        for (int id : {1019, 1039, 1050}) {
            EXPECT_EQ(FindTemplateControl(dialog, id)->rect.y, 141) << id;
        }
        // The visible area does not change with the language.
        for (size_t i = 0; i < dialog.controls.size(); ++i) {
            if (IsVisibleControl(i)) {
                const DluRect& a = dialog.controls[i].rect;
                const DluRect& b = English().controls[i].rect;
                EXPECT_EQ(std::tie(a.x, a.y, a.width, a.height), std::tie(b.x, b.y, b.width, b.height))
                    << Describe(dialog.controls[i]);
            }
        }
    }
    const std::vector<DluRect> groups = {
        {6, 98, 202, 42}, {6, 150, 202, 38}, {214, 0, 156, 121}, {214, 125, 156, 63}};
    for (const DluRect& group : groups) {
        const bool found = std::ranges::any_of(English().controls, [&](const TemplateControl& control) {
            return IsGroupBox(control) && control.rect.x == group.x && control.rect.y == group.y &&
                   control.rect.width == group.width && control.rect.height == group.height;
        });
        EXPECT_TRUE(found) << group.x << "," << group.y;
    }
}

TEST(DialogTemplateTest, HiddenControlsOverlapOnlyTheGroupBoxesAroundThem)
{
    for (uint16_t language : kBothLanguages) {
        const auto controls = MainDialogTemplate(language).controls;
        for (size_t i = 0; i < controls.size(); ++i) {
            for (size_t j = i + 1; j < controls.size(); ++j) {
                if (IsVisibleControl(i) || IsVisibleControl(j)) {
                    continue;
                }
                const TemplateControl& a = controls[i];
                const TemplateControl& b = controls[j];
                if (!Intersects(a.rect, b.rect)) {
                    continue;
                }
                const bool nested = (IsGroupBox(a) && !IsGroupBox(b) && Contains(a.rect, b.rect)) ||
                                    (IsGroupBox(b) && !IsGroupBox(a) && Contains(b.rect, a.rect));
                EXPECT_TRUE(nested) << language << ": " << Describe(a) << " overlaps " << Describe(b);
            }
        }
    }
}

// The width a caption needs inside its control: buttons keep a margin each
// side, check and radio boxes the mark before the text.
int NeededWidth(const TemplateControl& control)
{
    constexpr int kButtonMargin = 6;
    constexpr int kCheckMarkWidth = 10;
    const int text = TextWidthDlu(control.caption);
    const std::string kind = KindOf(control);
    if (kind == "PushButton") {
        return text + kButtonMargin;
    }
    if (kind == "CheckBox" || kind == "RadioButton") {
        return text + kCheckMarkWidth;
    }
    return text;
}

TEST(DialogTemplateTest, EveryCaptionFitsItsControl)
{
    for (uint16_t language : kBothLanguages) {
        for (const TemplateControl& control : MainDialogTemplate(language).controls) {
            if (control.caption.empty()) {
                continue;
            }
            EXPECT_LE(NeededWidth(control), control.rect.width) << language << ": " << Describe(control);
            EXPECT_GE(control.rect.height, kLineHeightDlu) << language << ": " << Describe(control);
        }
    }
}

// ---- Combo box items ----

TEST(DialogTemplateTest, FixedComboBoxesStartWithTheirItems)
{
    using Items = std::vector<std::string_view>;
    auto items = [](int id, uint16_t language) {
        const auto span = InitialComboItems(id, language);
        return Items(span.begin(), span.end());
    };
    EXPECT_EQ(items(1070, kLanguageEnglish), (Items{"AUTO", "NORMAL", "INVERT"}));
    EXPECT_EQ(items(1070, kLanguageChinese), (Items{"自动", "常规", "倒置"}));
    Items channels{"NULL"};
    for (const char* name : {"CH01", "CH02", "CH03", "CH04", "CH05", "CH06", "CH07", "CH08", "CH09", "CH10",
                             "CH11", "CH12", "CH13", "CH14", "CH15", "CH16"}) {
        channels.push_back(name);
    }
    for (uint16_t language : kBothLanguages) {
        EXPECT_EQ(items(1092, language), (Items{"OLD", "NEW"}));
        for (int id : {1005, 1006, 1085}) {
            EXPECT_EQ(items(id, language), (Items{"0", "1", "2"})) << id;
        }
        for (int id = 1174; id <= 1178; ++id) {
            EXPECT_EQ(items(id, language), channels) << id;
        }
        for (int id : {1001, 1030, 1009, 1003, 1004, 1063, 1068, 0}) {
            EXPECT_TRUE(items(id, language).empty()) << id;
        }
    }
}

// ---- Accessible names ----

bool IsAscii(std::string_view text)
{
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST(DialogTemplateTest, EveryUncaptionedControlWithAnIdHasADistinctNameInBothLanguages)
{
    for (uint16_t language : kBothLanguages) {
        std::set<std::string_view> names;
        int named = 0;
        for (const TemplateControl& control : MainDialogTemplate(language).controls) {
            if (control.id == kNoControlId) {
                continue;
            }
            const std::string_view name = AccessibleName(control.id, language);
            if (!control.caption.empty()) {
                EXPECT_TRUE(name.empty()) << Describe(control);
                continue;
            }
            ASSERT_FALSE(name.empty()) << language << ": " << Describe(control);
            EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
            if (language == kLanguageEnglish) {
                EXPECT_TRUE(IsAscii(name)) << name;
            }
            ++named;
        }
        EXPECT_EQ(named, 126);
    }
}

TEST(DialogTemplateTest, AccessibleNamesComeFromRowAndColumnLabels)
{
    EXPECT_EQ(AccessibleName(1021, kLanguageEnglish), "ANGL roll");
    EXPECT_EQ(AccessibleName(1023, kLanguageEnglish), "Loop gain roll KP");
    EXPECT_EQ(AccessibleName(1001, kLanguageEnglish), "Port");
    EXPECT_EQ(AccessibleName(1030, kLanguageEnglish), "Language");
    EXPECT_EQ(AccessibleName(1068, kLanguageEnglish), "Status line");
    EXPECT_EQ(AccessibleName(1046, kLanguageEnglish), "Firmware version");
    EXPECT_EQ(AccessibleName(1159, kLanguageEnglish), "RateFilter IMU");
    EXPECT_EQ(AccessibleName(1019, kLanguageChinese), "滚转增益");
    EXPECT_EQ(AccessibleName(1076, kLanguageChinese), "[MTR0]极对数");
    EXPECT_TRUE(AccessibleName(4242, kLanguageEnglish).empty());
}

// ---- Dialog units ----

TEST(DialogUnitsTest, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(5, 7, 4), 9);                // 8.75
    EXPECT_EQ(MulDiv(2, 7, 4), 4);                // 3.5
    EXPECT_EQ(MulDiv(1, 6, 4), 2);                // 1.5
    EXPECT_EQ(MulDiv(-2, 7, 4), -4);              // -3.5
    EXPECT_EQ(MulDiv(1, 5, 4), 1);                // 1.25
    EXPECT_EQ(MulDiv(7, 3, -2), -11);             // -10.5
    EXPECT_EQ(MulDiv(1 << 30, 6, 4), 1610612736); // the product needs more than 32 bits
    EXPECT_EQ(MulDiv(3, 4, 0), 0);
}

TEST(DialogUnitsTest, ConvertsPlaceAndSizeWithTheFontBaseUnits)
{
    // A font with base units 7 x 15 pixels.
    const PixelRect area = DluToPixels(kVisibleArea, 7, 15);
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.y, 0);
    EXPECT_EQ(area.width, 672);  // 384 * 7 / 4
    EXPECT_EQ(area.height, 422); // 225 * 15 / 8 = 421.875

    const PixelRect view = DluToPixels({6, 5, 202, 96}, 7, 15);
    EXPECT_EQ(view.x, 11);      // 10.5
    EXPECT_EQ(view.y, 9);       // 9.375
    EXPECT_EQ(view.width, 354); // 353.5
    EXPECT_EQ(view.height, 180);
}

TEST(DialogUnitsTest, TextWidthCountsWideCharactersDouble)
{
    EXPECT_EQ(TextWidthDlu(""), 0);
    EXPECT_EQ(TextWidthDlu("Open"), 16);
    EXPECT_EQ(TextWidthDlu("升级"), 16);
    EXPECT_EQ(TextWidthDlu("[MTR0]极对数"), 48);
    EXPECT_EQ(TextWidthDlu(" 电机零点校准 "), 56);
}

} // namespace
