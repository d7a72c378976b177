#include "platform/serial_open_result_platform.h"

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

} // namespace

std::string PortShownName(const std::string& device)
{
    return device;
}

std::string DescribePermission(const std::string& device)
{
    const std::string group = OwningGroup(device);
    return "permission denied on port '" + device + "': the user must be in the group '" + group +
           "' that owns the device (sudo usermod -aG " + group + " \"$USER\", then log out and in again)";
}

std::string PortErrorText(int error_number)
{
    return std::strerror(error_number);
}
