#include "resources/accessible_names.h"

#include "platform/ui_language.h"

#include <algorithm>
#include <array>

namespace {

struct AccessibleNameRow {
    int id;
    std::string_view english;
    std::string_view chinese;
};

// In the dialog's creation order.
constexpr auto kNames = std::to_array<AccessibleNameRow>({
    {1000, "Visible area", "可见区域"},
    {1018, "3D attitude view", "三维姿态视图"},
    {1021, "ANGL roll", "ANGL 滚转"},
    {1022, "ANGL pitch", "ANGL 俯仰"},
    {1026, "ANGL yaw", "ANGL 指向"},
    {1033, "ACCE roll", "ACCE 滚转"},
    {1037, "ACCE pitch", "ACCE 俯仰"},
    {1054, "ACCE yaw", "ACCE 指向"},
    {1103, "GYRO roll", "GYRO 滚转"},
    {1104, "GYRO pitch", "GYRO 俯仰"},
    {1105, "GYRO yaw", "GYRO 指向"},
    {1064, "MANG roll", "MANG 滚转"},
    {1065, "MANG pitch", "MANG 俯仰"},
    {1066, "MANG yaw", "MANG 指向"},
    {1019, "Roll gain", "滚转增益"},
    {1039, "Pitch gain", "俯仰增益"},
    {1050, "Yaw gain", "指向增益"},
    {1181, "Channel MODE", "通道 模式"},
    {1182, "Channel SENS", "通道 灵敏度"},
    {1183, "Channel ROLL", "通道 滚转"},
    {1184, "Channel PITCH", "通道 俯仰"},
    {1185, "Channel YAW", "通道 指向"},
    {1174, "Channel map MODE", "通道映射 模式"},
    {1175, "Channel map SENS", "通道映射 灵敏度"},
    {1176, "Channel map ROLL", "通道映射 滚转"},
    {1177, "Channel map PITCH", "通道映射 俯仰"},
    {1178, "Channel map YAW", "通道映射 指向"},
    {1180, "Channel levels", "通道电平"},
    {1068, "Status line", "状态栏"},
    {1150, "Mode", "模式"},
    {1059, "Hardware status", "硬件状态"},
    {1046, "Firmware version", "固件版本"},
    {1152, "Level bar", "进度条"},
    {1030, "Language", "语言"},
    {1001, "Port", "串口"},

    {1055, "FGYR roll", "FGYR 滚转"},
    {1056, "FGYR pitch", "FGYR 俯仰"},
    {1060, "FGYR yaw", "FGYR 指向"},
    {1071, "MPWR roll", "MPWR 滚转"},
    {1072, "MPWR pitch", "MPWR 俯仰"},
    {1075, "MPWR yaw", "MPWR 指向"},
    {1186, "Grid", "数据表格"},
    {1095, "Temperature loop TEMP", "温控 TEMP"},
    {1090, "Temperature loop TKP", "温控 TKP"},
    {1094, "Temperature loop TKI", "温控 TKI"},
    {1098, "Temperature loop TKD", "温控 TKD"},
    {1091, "Temperature loop TFC", "温控 TFC"},
    {1099, "Temperature loop TMAX", "温控 TMAX"},
    {1148, "Temperature", "温度"},
    {1149, "Temperature power", "温控功率"},
    {1004, "Camera type", "相机类型"},
    {1102, "Camera options", "相机选项"},
    {1063, "Ranger type", "测距仪类型"},
    {1009, "Product type", "产品类型"},
    {1003, "Gimbal type", "云台类型"},
    {1070, "Mounting mode", "安装方式"},
    {1092, "Protocol version", "协议版本"},

    {1023, "Loop gain roll KP", "滚转回路 KP"},
    {1024, "Loop gain roll KI", "滚转回路 KI"},
    {1025, "Loop gain roll KD", "滚转回路 KD"},
    {1141, "Loop gain roll KDP", "滚转回路 KDP"},
    {1077, "Loop gain roll PWR", "滚转回路 PWR"},
    {1108, "Loop gain roll KTR", "滚转回路 KTR"},
    {1156, "Loop gain roll MIN", "滚转回路 MIN"},
    {1157, "Loop gain roll MAX", "滚转回路 MAX"},
    {1040, "Loop gain pitch KP", "俯仰回路 KP"},
    {1041, "Loop gain pitch KI", "俯仰回路 KI"},
    {1042, "Loop gain pitch KD", "俯仰回路 KD"},
    {1142, "Loop gain pitch KDP", "俯仰回路 KDP"},
    {1093, "Loop gain pitch PWR", "俯仰回路 PWR"},
    {1109, "Loop gain pitch KTR", "俯仰回路 KTR"},
    {1161, "Loop gain pitch MIN", "俯仰回路 MIN"},
    {1163, "Loop gain pitch MAX", "俯仰回路 MAX"},
    {1051, "Loop gain yaw KP", "指向回路 KP"},
    {1052, "Loop gain yaw KI", "指向回路 KI"},
    {1053, "Loop gain yaw KD", "指向回路 KD"},
    {1143, "Loop gain yaw KDP", "指向回路 KDP"},
    {1097, "Loop gain yaw PWR", "指向回路 PWR"},
    {1123, "Loop gain yaw KTR", "指向回路 KTR"},
    {1162, "Loop gain yaw MIN", "指向回路 MIN"},
    {1164, "Loop gain yaw MAX", "指向回路 MAX"},

    {1035, "Filter R AX_KP", "滤波 滚转 AX_KP"},
    {1034, "Filter R AX_KI", "滤波 滚转 AX_KI"},
    {1036, "Filter R AX_FC", "滤波 滚转 AX_FC"},
    {1045, "Filter R GB_FC", "滤波 滚转 GB_FC"},
    {1047, "Filter P AX_KP", "滤波 俯仰 AX_KP"},
    {1043, "Filter P AX_KI", "滤波 俯仰 AX_KI"},
    {1044, "Filter P AX_FC", "滤波 俯仰 AX_FC"},
    {1062, "Filter P GB_FC", "滤波 俯仰 GB_FC"},
    {1079, "Filter Y AX_KP", "滤波 指向 AX_KP"},
    {1078, "Filter Y AX_KI", "滤波 指向 AX_KI"},
    {1080, "Filter Y AX_FC", "滤波 指向 AX_FC"},
    {1100, "Filter Y GB_FC", "滤波 指向 GB_FC"},
    {1136, "Tracking CTL_BW", "目标跟踪 CTL_BW"},
    {1137, "Tracking OBS_BW", "目标跟踪 OBS_BW"},
    {1146, "Tracking DLY_MS", "目标跟踪 DLY_MS"},
    {1138, "Tracking SPD_SS", "目标跟踪 SPD_SS"},
    {1169, "Tracking DBD_PX", "目标跟踪 DBD_PX"},
    {1170, "Tracking TOT_SS", "目标跟踪 TOT_SS"},
    {1171, "Tracking XXX_XX roll", "目标跟踪 XXX_XX 滚转"},
    {1172, "Tracking XXX_XX pitch", "目标跟踪 XXX_XX 俯仰"},
    {1173, "Tracking XXX_XX yaw", "目标跟踪 XXX_XX 指向"},

    {1038, "BaseRate", "基础限速"},
    {1145, "TiltAngle", "平台倾角"},
    {1159, "RateFilter IMU", "转速滤波 IMU"},
    {1168, "RateFilter TAR", "转速滤波 TAR"},
    {1049, "PtmvRate", "平移限速"},
    {1101, "AlphaAngl", "电机倾角"},
    {1165, "NotchPara SNR", "陷波参数 SNR"},
    {1167, "NotchPara BAND", "陷波参数 BAND"},
    {1057, "ObtkRate", "跟踪限速"},
    {1147, "FolowDead ANGL", "跟随死区 ANGL"},
    {1106, "FolowDead GAIN", "跟随死区 GAIN"},
    {1166, "NotchFreq", "陷波频率"},
    {1120, "RateMult", "限速倍率"},
    {1155, "FolowEdge ANGL", "跟随边界 ANGL"},
    {1121, "FolowEdge GAIN", "跟随边界 GAIN"},
    {1160, "StuckPower", "堵转功率"},

    {1005, "[IMUX]Index", "[IMUX]索引"},
    {1006, "[IMUY]Index", "[IMUY]索引"},
    {1085, "[IMUZ]Index", "[IMUZ]索引"},
    {1076, "[M0]PolePairs", "[MTR0]极对数"},
    {1081, "[M1]PolePairs", "[MTR1]极对数"},
    {1140, "[M2]PolePairs", "[MTR2]极对数"},

    {1058, "Gimbal state", "云台状态"},
    {1067, "Controller status code", "控制器状态码"},
});

} // namespace

std::string_view AccessibleName(int control_id, uint16_t language)
{
    const auto found = std::ranges::find(kNames, control_id, &AccessibleNameRow::id);
    if (found == kNames.end()) {
        return {};
    }
    return language == kLanguageChinese ? found->chinese : found->english;
}
