#include "platform/serial_open_result_platform.h"

#include "platform/wide_text_win.h"

#include <string_view>

std::string PortShownName(const std::string& device)
{
    // "\\.\COM12" is the form CreateFileW needs; users know the port as COM12.
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    if (device.compare(0, kDevicePrefix.size(), kDevicePrefix) == 0)
        return device.substr(kDevicePrefix.size());
    return device;
}

std::string DescribePermission(const std::string& device)
{
    return "access to port '" + PortShownName(device) +
           "' was denied: the device may be disabled or reserved by a driver";
}

std::string PortErrorText(int error_number)
{
    return SystemErrorText(static_cast<unsigned long>(error_number));
}
