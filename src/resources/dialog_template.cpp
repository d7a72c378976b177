#include "resources/dialog_template.h"

#include "platform/ui_language.h"

#include <algorithm>
#include <array>

namespace {

using namespace ControlStyle;

// One control of the main dialog in both languages. The Chinese place is
// given only where the Chinese captions need another one.
struct ControlRow {
    std::string_view window_class;
    uint32_t style;
    int id;
    std::string_view english;
    std::string_view chinese;
    DluRect english_rect;
    DluRect chinese_rect{};

    constexpr ControlRow InChineseAt(DluRect rect) const
    {
        ControlRow copy = *this;
        copy.chinese_rect = rect;
        return copy;
    }
    constexpr bool HasChinesePlace() const { return chinese_rect.width != 0; }
};

constexpr ControlRow Label(std::string_view english, std::string_view chinese, DluRect rect)
{
    return {kClassStatic, kStaticLeft, kNoControlId, english, chinese, rect};
}
constexpr ControlRow Label(std::string_view caption, DluRect rect)
{
    return Label(caption, caption, rect);
}
// A static the program writes values into.
constexpr ControlRow Value(int id, DluRect rect, uint32_t style = kStaticCenter)
{
    return {kClassStatic, style, id, {}, {}, rect};
}
constexpr ControlRow Edit(int id, DluRect rect)
{
    return {kClassEdit, 0, id, {}, {}, rect};
}
constexpr ControlRow Combo(int id, DluRect rect, uint32_t style = 0)
{
    return {kClassComboBox, kDropDownList | style, id, {}, {}, rect};
}
constexpr ControlRow Button(int id, std::string_view english, std::string_view chinese, DluRect rect)
{
    return {kClassButton, kPushButton, id, english, chinese, rect};
}
constexpr ControlRow Button(int id, std::string_view caption, DluRect rect)
{
    return Button(id, caption, caption, rect);
}
constexpr ControlRow Check(int id, std::string_view english, std::string_view chinese, DluRect rect)
{
    return {kClassButton, kAutoCheckBox, id, english, chinese, rect};
}
constexpr ControlRow Radio(int id, std::string_view caption, DluRect rect, uint32_t style = 0)
{
    return {kClassButton, kAutoRadioButton | style, id, caption, caption, rect};
}
constexpr ControlRow Group(DluRect rect, int id = kNoControlId, uint32_t style = 0)
{
    return {kClassButton, kGroupBox | style, id, {}, {}, rect};
}

// Creation order: the visible area first, framed by control 1000, then the
// hidden parameter panel group by group: left column (view selection, live
// values, camera), middle column (types, loop gains, filters, limits,
// sensors and motors), right column (calibration and test commands), and
// the bottom line.
constexpr auto kControls = std::to_array<ControlRow>({
    Group(kVisibleArea, kVisibleAreaControl, kInvisible),
    Value(1018, {6, 5, 202, 96}, kSunken),

    // Telemetry: four rows of roll, pitch and yaw values.
    Group({6, 98, 202, 42}),
    Label("ANGL", {12, 107, 20, 8}),
    Value(1021, {40, 107, 50, 8}),
    Value(1022, {96, 107, 50, 8}),
    Value(1026, {152, 107, 50, 8}),
    Label("ACCE", {12, 115, 20, 8}),
    Value(1033, {40, 115, 50, 8}),
    Value(1037, {96, 115, 50, 8}),
    Value(1054, {152, 115, 50, 8}),
    Label("GYRO", {12, 123, 20, 8}),
    Value(1103, {40, 123, 50, 8}),
    Value(1104, {96, 123, 50, 8}),
    Value(1105, {152, 123, 50, 8}),
    Label("MANG", {12, 131, 20, 8}),
    Value(1064, {40, 131, 50, 8}),
    Value(1065, {96, 131, 50, 8}),
    Value(1066, {152, 131, 50, 8}),

    // Loop gains.
    Label("RollGain", "滚转增益", {8, 143, 32, 8}),
    Edit(1019, {42, 141, 30, 10}),
    Label("PitchGain", "俯仰增益", {75, 143, 36, 8}),
    Edit(1039, {113, 141, 30, 10}),
    Label("YawGain", "指向增益", {146, 143, 32, 8}),
    Edit(1050, {180, 141, 26, 10}),

    // Channels: live values and assignment boxes under one caption line.
    Group({6, 150, 202, 38}),
    Label("  MODE      SENS      ROLL     PITCH      YAW", "  模式     灵敏度     滚转      俯仰      指向",
          {12, 156, 184, 8}),
    Value(1181, {10, 165, 36, 8}),
    Value(1182, {50, 165, 36, 8}),
    Value(1183, {90, 165, 36, 8}),
    Value(1184, {130, 165, 36, 8}),
    Value(1185, {170, 165, 36, 8}),
    Combo(1174, {10, 174, 36, 12}),
    Combo(1175, {50, 174, 36, 12}),
    Combo(1176, {90, 174, 36, 12}),
    Combo(1177, {130, 174, 36, 12}),
    Combo(1178, {170, 174, 36, 12}),
    Value(1180, {6, 189, 363, 10}),

    // Status row and level bar. The row is 11 high to leave the bar free.
    Value(1068, {6, 201, 190, 10}, kStaticLeft),
    Value(1150, {198, 201, 14, 10}),
    Value(1059, {214, 201, 18, 10}),
    Value(1046, {234, 201, 24, 10}),
    Button(1027, "Open", "打开", {262, 201, 52, 11}),
    Button(1028, "Upgrade", "升级", {317, 201, 52, 11}),
    Value(1152, {6, 212, 363, 3}),

    // Link and parameter buttons.
    Group({214, 0, 156, 121}),
    Combo(1030, {220, 10, 56, 12}),
    Combo(1001, {220, 28, 56, 12}, kComboSort),
    Button(1002, "Start Debug", "开始调试", {280, 9, 84, 14}),
    Button(1014, "Open Param", "打开参数", {280, 27, 84, 14}),
    Button(1015, "Save Param", "保存参数", {280, 45, 84, 14}),
    Button(1007, "Upload Param", "上传参数", {280, 63, 84, 14}),
    Button(1008, "Download Param", "下载参数", {280, 81, 84, 14}),
    Button(1010, "Save Param To Flash", "烧写参数", {280, 99, 84, 14}),

    // Gimbal buttons.
    Group({214, 125, 156, 63}),
    Button(1012, "Gimbal Run", "启动云台", {220, 134, 70, 14}),
    Button(1013, "Gimbal Stop", "停止云台", {294, 134, 70, 14}),
    Button(1083, "Gyro Calibration", "陀螺仪校准", {220, 154, 144, 14}),

    // ---- Hidden from here on. ----

    // View selection of the 3D view.
    Radio(1115, "3D", {8, 230, 24, 10}, kGroup),
    Radio(1116, "GA", {38, 230, 24, 10}),
    Radio(1117, "GX", {68, 230, 24, 10}),
    Radio(1118, "GY", {98, 230, 24, 10}),
    Radio(1119, "GZ", {128, 230, 24, 10}),

    // Further live values, the grid and the temperature loop.
    Group({6, 244, 160, 128}, kNoControlId, kGroup),
    Label("FGYR", {12, 254, 20, 8}),
    Value(1055, {40, 254, 38, 8}),
    Value(1056, {82, 254, 38, 8}),
    Value(1060, {124, 254, 38, 8}),
    Label("MPWR", {12, 265, 20, 8}),
    Value(1071, {40, 265, 38, 8}),
    Value(1072, {82, 265, 38, 8}),
    Value(1075, {124, 265, 38, 8}),
    {kClassListView, 0, 1186, {}, {}, {12, 277, 148, 52}},
    Label("TEMP   TKP    TKI    TKD   TFC    TMAX", {10, 336, 152, 8}),
    Edit(1095, {8, 346, 20, 10}),
    Edit(1090, {34, 346, 20, 10}),
    Edit(1094, {62, 346, 20, 10}),
    Edit(1098, {90, 346, 20, 10}),
    Edit(1091, {114, 346, 20, 10}),
    Edit(1099, {144, 346, 20, 10}),
    Value(1148, {8, 358, 30, 8}),
    Value(1149, {134, 358, 30, 8}),

    // Camera: type boxes with the options field between them, and commands.
    Group({6, 378, 160, 82}),
    Combo(1004, {12, 388, 56, 12}),
    Edit(1102, {72, 388, 36, 12}),
    Combo(1063, {112, 388, 48, 12}),
    Button(1048, "Photo", "拍照", {12, 406, 48, 14}),
    Button(1084, "Video", "录像", {62, 406, 48, 14}),
    Button(1017, "Focus", "对焦", {112, 406, 48, 14}),
    Button(1086, "Zoom In", "放大", {12, 422, 48, 14}),
    Button(1087, "Zoom Out", "缩小", {62, 422, 48, 14}),
    Button(1020, "Zoom Stop", "停止", {112, 422, 48, 14}),
    Button(1112, "AUX1", {12, 438, 48, 14}),
    Button(1144, "AUX2", {62, 438, 48, 14}),
    Button(1061, "AUX3", {112, 438, 48, 14}),

    // Product, gimbal, mounting and protocol types.
    Group({170, 258, 218, 44}),
    Combo(1009, {176, 268, 102, 12}),
    Combo(1003, {282, 268, 98, 12}),
    Combo(1070, {176, 284, 102, 12}),
    Combo(1092, {282, 284, 98, 12}),

    // Loop gains: rows roll, pitch, yaw under the column header; the KT
    // column is the gains row of the visible area.
    Group({170, 305, 218, 64}),
    Label("KT    KP   KI    KD   KDP  PWR   KTR   MIN   MAX", "KT   KP   KI   KD   KDP  PWR  KTR   MIN   MAX",
          {188, 315, 192, 8}),
    Edit(1023, {207, 326, 18, 10}).InChineseAt({203, 326, 18, 10}),
    Edit(1024, {227, 326, 18, 10}).InChineseAt({223, 326, 18, 10}),
    Edit(1025, {251, 326, 18, 10}).InChineseAt({243, 326, 18, 10}),
    Edit(1141, {273, 326, 18, 10}).InChineseAt({265, 326, 18, 10}),
    Edit(1077, {293, 326, 18, 10}).InChineseAt({285, 326, 18, 10}),
    Edit(1108, {317, 326, 18, 10}).InChineseAt({305, 326, 18, 10}),
    Edit(1156, {341, 326, 18, 10}).InChineseAt({329, 326, 18, 10}),
    Edit(1157, {365, 326, 18, 10}).InChineseAt({353, 326, 18, 10}),
    Edit(1040, {207, 340, 18, 10}).InChineseAt({203, 340, 18, 10}),
    Edit(1041, {227, 340, 18, 10}).InChineseAt({223, 340, 18, 10}),
    Edit(1042, {251, 340, 18, 10}).InChineseAt({243, 340, 18, 10}),
    Edit(1142, {273, 340, 18, 10}).InChineseAt({265, 340, 18, 10}),
    Edit(1093, {293, 340, 18, 10}).InChineseAt({285, 340, 18, 10}),
    Edit(1109, {317, 340, 18, 10}).InChineseAt({305, 340, 18, 10}),
    Edit(1161, {341, 340, 18, 10}).InChineseAt({329, 340, 18, 10}),
    Edit(1163, {365, 340, 18, 10}).InChineseAt({353, 340, 18, 10}),
    Edit(1051, {207, 354, 18, 10}).InChineseAt({203, 354, 18, 10}),
    Edit(1052, {227, 354, 18, 10}).InChineseAt({223, 354, 18, 10}),
    Edit(1053, {251, 354, 18, 10}).InChineseAt({243, 354, 18, 10}),
    Edit(1143, {273, 354, 18, 10}).InChineseAt({265, 354, 18, 10}),
    Edit(1097, {293, 354, 18, 10}).InChineseAt({285, 354, 18, 10}),
    Edit(1123, {317, 354, 18, 10}).InChineseAt({305, 354, 18, 10}),
    Edit(1162, {341, 354, 18, 10}).InChineseAt({329, 354, 18, 10}),
    Edit(1164, {365, 354, 18, 10}).InChineseAt({353, 354, 18, 10}),

    // Filters: rows R, P, Y under the column header, then the object
    // tracking block on the right.
    Group({170, 371, 218, 62}),
    Label("AX_KP   AX_KI    AX_FC   GB_FC", "AX_KP  AX_KI  AX_FC  GB_FC", {187, 379, 120, 8})
        .InChineseAt({194, 379, 104, 8}),
    Label("R", "滚转", {174, 391, 8, 8}).InChineseAt({174, 391, 16, 8}),
    Edit(1035, {186, 390, 22, 10}).InChineseAt({193, 390, 22, 10}),
    Edit(1034, {218, 390, 22, 10}).InChineseAt({221, 390, 22, 10}),
    Edit(1036, {254, 390, 22, 10}).InChineseAt({249, 390, 22, 10}),
    Edit(1045, {286, 390, 22, 10}).InChineseAt({277, 390, 22, 10}),
    Edit(1136, {314, 390, 22, 10}),
    Edit(1137, {338, 390, 22, 10}),
    Edit(1146, {362, 390, 22, 10}),
    Label("P", "俯仰", {174, 405, 8, 8}).InChineseAt({174, 405, 16, 8}),
    Edit(1047, {186, 404, 22, 10}).InChineseAt({193, 404, 22, 10}),
    Edit(1043, {218, 404, 22, 10}).InChineseAt({221, 404, 22, 10}),
    Edit(1044, {254, 404, 22, 10}).InChineseAt({249, 404, 22, 10}),
    Edit(1062, {286, 404, 22, 10}).InChineseAt({277, 404, 22, 10}),
    Edit(1138, {314, 404, 22, 10}),
    Edit(1169, {338, 404, 22, 10}),
    Edit(1170, {362, 404, 22, 10}),
    Label("Y", "指向", {174, 419, 8, 8}).InChineseAt({174, 419, 16, 8}),
    Edit(1079, {186, 418, 22, 10}).InChineseAt({193, 418, 22, 10}),
    Edit(1078, {218, 418, 22, 10}).InChineseAt({221, 418, 22, 10}),
    Edit(1080, {254, 418, 22, 10}).InChineseAt({249, 418, 22, 10}),
    Edit(1100, {286, 418, 22, 10}).InChineseAt({277, 418, 22, 10}),
    Edit(1171, {314, 418, 22, 10}),
    Edit(1172, {338, 418, 22, 10}),
    Edit(1173, {362, 418, 22, 10}),

    // Limits: three labelled columns of one or two fields each.
    Group({170, 436, 218, 62}),
    Label("BaseRate", "基础限速", {175, 447, 32, 8}),
    Edit(1038, {209, 446, 22, 11}),
    Label("TiltAngle", "平台倾角", {234, 447, 36, 8}),
    Edit(1145, {272, 446, 36, 11}),
    Label("RateFilter", "转速滤波", {310, 447, 40, 8}),
    Edit(1159, {352, 446, 15, 11}),
    Edit(1168, {369, 446, 15, 11}),
    Label("PtmvRate", "平移限速", {175, 460, 32, 8}),
    Edit(1049, {209, 459, 22, 11}),
    Label("AlphaAngl", "电机倾角", {234, 460, 36, 8}),
    Edit(1101, {272, 459, 36, 11}),
    Label("NotchPara", "陷波参数", {310, 460, 40, 8}),
    Edit(1165, {352, 459, 15, 11}),
    Edit(1167, {369, 459, 15, 11}),
    Label("ObtkRate", "跟踪限速", {175, 473, 32, 8}),
    Edit(1057, {209, 472, 22, 11}),
    Label("FolowDead", "跟随死区", {234, 473, 36, 8}),
    Edit(1147, {272, 472, 17, 11}),
    Edit(1106, {291, 472, 17, 11}),
    Label("NotchFreq", "陷波频率", {310, 473, 40, 8}),
    Edit(1166, {352, 472, 32, 11}),
    Label("RateMult", "限速倍率", {175, 486, 32, 8}),
    Edit(1120, {209, 485, 22, 11}),
    Label("FolowEdge", "跟随边界", {234, 486, 36, 8}),
    Edit(1155, {272, 485, 17, 11}),
    Edit(1121, {291, 485, 17, 11}),
    Label("StuckPower", "堵转功率", {310, 486, 40, 8}),
    Edit(1160, {352, 485, 32, 11}),

    // Sensor axes and motors, one column per axis or motor.
    Group({170, 501, 218, 90}),
    Check(1130, "[IMUX]Positive", "[IMUX]符号为正", {176, 510, 66, 10}),
    Check(1131, "[IMUY]Positive", "[IMUY]符号为正", {247, 510, 66, 10}),
    Check(1132, "[IMUZ]Positive", "[IMUZ]符号为正", {317, 510, 66, 10}),
    Label("[IMUX]Index", "[IMUX]索引", {176, 524, 44, 8}),
    Combo(1005, {222, 522, 22, 12}),
    Label("[IMUY]Index", "[IMUY]索引", {247, 524, 44, 8}),
    Combo(1006, {293, 522, 22, 12}),
    Label("[IMUZ]Index", "[IMUZ]索引", {317, 524, 44, 8}),
    Combo(1085, {363, 522, 22, 12}),
    Label("[M0]PolePairs", "[MTR0]极对数", {176, 551, 52, 8}),
    Edit(1076, {230, 550, 14, 10}),
    Label("[M1]PolePairs", "[MTR1]极对数", {246, 551, 52, 8}),
    Edit(1081, {300, 550, 14, 10}),
    Label("[M2]PolePairs", "[MTR2]极对数", {316, 551, 52, 8}),
    Edit(1140, {370, 550, 14, 10}),
    Check(1127, "[M0]RotatRevers", "[MTR0]旋转反向", {174, 564, 70, 10}),
    Check(1128, "[M1]RotatRevers", "[MTR1]旋转反向", {245, 564, 70, 10}),
    Check(1129, "[M2]RotatRevers", "[MTR2]旋转反向", {316, 564, 70, 10}),
    Check(1124, "[M0]AngleRevers", "[MTR0]角度反向", {174, 577, 70, 10}),
    Check(1125, "[M1]AngleRevers", "[MTR1]角度反向", {245, 577, 70, 10}),
    Check(1126, "[M2]AngleRevers", "[MTR2]角度反向", {316, 577, 70, 10}),

    // Calibration and test commands; narrower with the shorter Chinese captions.
    Group({390, 4, 130, 162}).InChineseAt({390, 4, 97, 162}),
    Button(1016, "Motor Zero Calibration", " 电机零点校准 ", {396, 14, 118, 14})
        .InChineseAt({396, 14, 85, 14}),
    Button(1011, "Gimbal Zero Calibration", " 云台零点校准 ", {396, 32, 118, 14})
        .InChineseAt({396, 32, 85, 14}),
    Button(1096, "Motor Angle Calibration", " 电机角度校准 ", {396, 50, 118, 14})
        .InChineseAt({396, 50, 85, 14}),
    Button(1151, "Acce Advanced Calibration", "加速度高级校准", {396, 68, 118, 14})
        .InChineseAt({396, 68, 85, 14}),
    Button(1153, "Gyro Advanced Calibration", "陀螺仪高级校准", {396, 86, 118, 14})
        .InChineseAt({396, 86, 85, 14}),
    Button(1158, "Gyro Calibration Reset", "陀螺仪校准重置", {396, 104, 118, 14})
        .InChineseAt({396, 104, 85, 14}),
    Button(1107, "TEST1", {396, 126, 57, 14}).InChineseAt({396, 126, 41, 14}),
    Button(1139, "TEST2", {457, 126, 57, 14}).InChineseAt({440, 126, 41, 14}),
    Button(1029, "TEST3", {396, 144, 57, 14}).InChineseAt({396, 144, 41, 14}),
    Button(1122, "TEST4", {457, 144, 57, 14}).InChineseAt({440, 144, 41, 14}),

    // Bottom line: gimbal state and controller status code.
    Value(1058, {6, 600, 110, 10}, kStaticLeft),
    Value(1067, {120, 600, 30, 10}),
});

constexpr size_t kControlCount = kControls.size();
static_assert(kControlCount == 216);

constexpr std::array<TemplateControl, kControlCount> BuildVariant(bool chinese)
{
    std::array<TemplateControl, kControlCount> controls{};
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = kControls[i];
        const bool own_place = chinese && row.HasChinesePlace();
        controls[i] = {row.window_class, row.style, row.id, chinese ? row.chinese : row.english,
                       own_place ? row.chinese_rect : row.english_rect};
    }
    return controls;
}

constexpr auto kEnglishControls = BuildVariant(false);
constexpr auto kChineseControls = BuildVariant(true);

// The English captions are longer, so its hidden command column is wider.
constexpr DialogTemplate kEnglishTemplate{526, 616, kEnglishControls};
constexpr DialogTemplate kChineseTemplate{493, 616, kChineseControls};

} // namespace

const DialogTemplate& MainDialogTemplate(uint16_t language)
{
    return language == kLanguageChinese ? kChineseTemplate : kEnglishTemplate;
}

const TemplateControl* FindTemplateControl(const DialogTemplate& dialog, int id)
{
    if (id == kNoControlId) {
        return nullptr;
    }
    const auto found = std::ranges::find(dialog.controls, id, &TemplateControl::id);
    return found == dialog.controls.end() ? nullptr : &*found;
}
