#include "resources/message_table.h"

#include "platform/ui_language.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kMessages = std::to_array<MessageText>({
    {131, "Serial Port Open Failed", "串口打开失败"},
    {132, "Serial Port Transmit Error", "串口传输错误"},
    {133, "Gimbal Idle", "云台空闲"},
    {134, "Gimbal Running", "云台开启"},
    {135, "Gimbal Stopped", "云台停止"},
    {136, "Gimbal Paused", "云台暂停"},
    {137, "Conditions Not Satisfied", "校准条件不满足"},
    {139, "Parameter Uploading ...", "正在上传参数..."},
    {140, "Parameter Upload Successful", "参数上传成功"},
    {141, "Parameter Downloading ...", "正在下载参数..."},
    {142, "Parameter Download Successful", "参数下载成功"},
    {143, "Entering Firmware Upgrade Mode ...", "正在进入升级模式..."},
    {144, "Firmware Upgrade Successful", "固件升级成功"},
    {145, "Firmware Upgrading ...", "正在升级固件..."},
    {146, "Device Type Error", "设备类型错误"},
    {147, "Firmware Upgrade Failed", "固件升级失败"},
    {148, "Saving Parameter To Flash ...", "正在烧写参数..."},
    {149, "Sending Gimbal Run Command ...", "正在发送启动云台指令..."},
    {150, "Sending Gimbal Stop Command ...", "正在发送停止云台指令..."},
    {151, "Motor Zero Calibration Running ...", "正在校准电机零点..."},
    {152, "Sending Test3 Command ...", "正在发送测试3命令..."},
    {153, "Gimbal Zero Calibration Running ...", "正在校准云台零点..."},
    {155, "Sending Test1 Command ...", "正在发送测试1命令..."},
    {156, "Sending Test2 Command ...", "正在发送测试2命令..."},
    {157, "Sending Camera Photo Command ...", "正在发送拍照指令..."},
    {158, "Sending Camera Video Command ...", "正在发送录像指令..."},
    {159, "Sending Camera Zoom In Command ...", "正在发送放大指令..."},
    {160, "Sending Camera Zoom Out Command ...", "正在发送缩小指令..."},
    {161, "Sending Camera Zoom Stop Command ...", "正在发送停止指令..."},
    {162, "Sending Camera Foucs Command ...", "正在发送对焦指令..."},
    {163, "Gyro Calibration Running ...", "正在校准陀螺仪..."},
    {164, "Gimbal Run Successful", "启动云台指令发送成功"},
    {165, "Gimbal Run Failed", "启动云台指令发送失败"},
    {166, "Gimbal Stop Successful", "停止云台指令发送成功"},
    {167, "Gimbal Stop Failed", "停止云台指令发送失败"},
    {168, "Save Parameter To Flash Successful", "参数烧写成功"},
    {169, "Save Parameter To Flash Failed", "参数烧写失败"},
    {170, "Motor Zero Calibration Successful", "电机零点校准成功"},
    {171, "Motor Zero Calibration Failed", "电机零点校准失败"},
    {172, "Test3 Command Send Successful", "测试3指令发送成功"},
    {173, "Test3 Command Send Failed", "测试3指令发送失败"},
    {174, "Gimbal Zero Calibration Successful", "云台零点校准成功"},
    {175, "Gimbal Zero Calibration Failed", "云台零点校准失败"},
    {176, "Motor Angle Calibration Running ...", "正在校准电机角度..."},
    {177, "Motor Angle Calibration Successful", "电机角度校准成功"},
    {178, "Gyro Calibration Successful", "陀螺仪校准成功"},
    {179, "Gyro Calibration Failed", "陀螺仪校准失败"},
    {180, "Test1 Command Send Successful", "测试1指令发送成功"},
    {181, "Test1 Command Send Failed", "测试1指令发送失败"},
    {182, "Test2 Command Send Successful", "测试2指令发送成功"},
    {183, "Test2 Command Send Failed", "测试2指令发送失败"},
    {184, "Camera Photo Command Send Successful", "拍照指令发送成功"},
    {185, "Camera Photo Command Send Failed", "拍照指令发送失败"},
    {186, "Camera Video Command Send Successful", "录像指令发送成功"},
    {187, "Camera Video Command Send Failed", "录像指令发送失败"},
    {188, "Camera Zoom In Command Send Successful", "放大指令发送成功"},
    {189, "Camera Zoom In Command Send Failed", "放大指令发送失败"},
    {190, "Camera Zoom Out Command Send Successful", "缩小指令发送成功"},
    {191, "Camera Zoom Out Command Send Failed", "缩小指令发送失败"},
    {192, "Camera Zoom Stop Command Send Successful", "停止指令发送成功"},
    {193, "Camera Zoom Stop Command Send Failed", "停止指令发送失败"},
    {194, "Camera Foucs Command Send Successful", "对焦指令发送成功"},
    {195, "Camera Foucs Command Send Failed", "对焦指令发送失败"},
    {196, "Upgrade", "升级"},
    {197, "Cancel", "取消"},
    {198, "Start Debug", "开始调试"},
    {199, "Stop Debug", "停止调试"},
    {201, "Calibrate Motor Zero ?", "确定要校准电机零点?"},
    {202, "Motor Angle Calibration Failed", "电机角度校准失败"},
    {205, "Calibrate Gimbal Zero ?", "确定要校准云台零点?"},
    {206, "Calibrate Motor Angle ?", "确定要校准电机角度?"},
    {207, "Sending Test4 Command ...", "正在发送测试4命令..."},
    {209, "Calibrate Gyroscope ?", "确定要校准陀螺仪?"},
    {210, "Test4 Command Send Successful", "测试4指令发送成功"},
    {211, "Test4 Command Send Failed", "测试4指令发送失败"},
    {222, "Pitch 90 Deg -> Roll Gain Comp", "俯仰90度时滚转增益补偿"},
    {223, "Roll 45 Deg -> All Gain Comp", "滚转45度时所有增益补偿"},
    {224, "Pitch 90 Deg -> Yaw Gain Comp", "俯仰90度时指向增益补偿"},
    {234, "Sending Camera AUX1 Command ...", "正在发送AUX1指令..."},
    {235, "Sending Camera AUX2 Command ...", "正在发送AUX2指令..."},
    {236, "Sending Camera AUX3 Command ...", "正在发送AUX3指令..."},
    {237, "Camera AUX1 Command Send Successful", "AUX1指令发送成功"},
    {238, "Camera AUX1 Command Send Failed", "AUX1指令发送失败"},
    {239, "Camera AUX2 Command Send Successful", "AUX2指令发送成功"},
    {240, "Camera AUX2 Command Send Failed", "AUX2指令发送失败"},
    {241, "Camera AUX3 Command Send Successful", "AUX3指令发送成功"},
    {242, "Camera AUX3 Command Send Failed", "AUX3指令发送失败"},
    {246, "Parameter File Open Successful", "参数文件打开成功"},
    {247, "Acc Calibration Successful", "加速度校准成功"},
    {248, "Acc Calibration Failed", "加速度校准失败"},
    {249, "Acc Advanced Calibration Running ...", "正在校准加速度..."},
    {251, "Calibrate Acceleration ?", "确定要校准加速度?"},
    {252, "Gyro Calibration Running ...", "正在校准陀螺仪..."},
    {253, "Gyro Calibration Successful", "陀螺仪校准成功"},
    {254, "Gyro Calibration Failed", "陀螺仪校准失败"},
    {256, "Calibrate Gyroscope ?", "确定要校准陀螺仪?"},
    {258, "Gyroscope Calibration Reset ?", "确定要重置陀螺仪校准?"},
    {259, "Gyro Calibration Reset Running ...", "正在重置陀螺仪校准..."},
    {260, "Gyro Calibration Reset Successful", "重置陀螺仪校准成功"},
    {261, "Gyro Calibration Reset Failed", "重置陀螺仪校准失败"},
});

static_assert(std::ranges::is_sorted(kMessages, {}, &MessageText::id), "lookup relies on ascending ids");

} // namespace

std::span<const MessageText> MessageTable()
{
    return kMessages;
}

std::string LoadMessage(int id, uint16_t language)
{
    const auto found = std::ranges::lower_bound(kMessages, id, {}, &MessageText::id);
    if (found == kMessages.end() || found->id != id) {
        return {};
    }
    return std::string(language == kLanguageChinese ? found->chinese : found->english);
}

std::string LoadMessage(int id)
{
    return LoadMessage(id, GetUiLanguage());
}
