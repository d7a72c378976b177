#include "platform/serial_open_result.h"

#include <cstring>
#include <grp.h>
#include <sys/stat.h>

namespace {

// The group that owns `device`, which the user must join to open it.
std::string OwningGroup(const std::string& device)
{
    struct stat info {};
    if (stat(device.c_str(), &info) != 0)
        return "dialout";
    const group* entry = getgrgid(info.st_gid);
    return entry != nullptr ? entry->gr_name : std::to_string(info.st_gid);
}

std::string DescribePermission(const std::string& device)
{
    const std::string group = OwningGroup(device);
    return "permission denied on port '" + device + "': the user must be in the group '" + group +
           "' that owns the device (sudo usermod -aG " + group + " \"$USER\", then log out and in again)";
}

} // namespace

std::string DescribePortOpenFailure(const PortOpenResult& result, const std::string& device, int baud)
{
    switch (result.cause) {
    case PortOpenCause::kNone:
        return {};
    case PortOpenCause::kMissing:
        return "port '" + device + "' does not exist";
    case PortOpenCause::kPermission:
        return DescribePermission(device);
    case PortOpenCause::kBusy:
        return "port '" + device + "' is in use by another program";
    case PortOpenCause::kNotSerial:
        return "'" + device + "' is not a serial device";
    case PortOpenCause::kConfigRefused:
        return "port '" + device + "' refused the configuration (8-N-1 at " + std::to_string(baud) + " baud)";
    case PortOpenCause::kOther:
        break;
    }
    return "cannot open port '" + device + "': " + std::strerror(result.error_number);
}
