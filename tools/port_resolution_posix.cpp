#include "port_resolution.h"

#include "platform/port_listing.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string GroupName(gid_t gid)
{
    const group* entry = getgrgid(gid);
    return entry != nullptr ? entry->gr_name : std::to_string(gid);
}

// Opens the device the way the link does, only to learn whether another
// program holds it; the descriptor is closed again at once.
bool IsHeldByAnotherProgram(const std::string& device)
{
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == EBUSY;
    }
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

} // namespace

std::string ResolvePortPath(const std::string& port)
{
    if (port.find('/') != std::string::npos) {
        return port;
    }
    for (const SerialPortItem& item : ListSerialPortItems(SystemPortListingSources())) {
        if (item.m_display_name == port) {
            return item.m_device_path;
        }
    }
    const std::string device = "/dev/" + port;
    struct stat info {};
    return stat(device.c_str(), &info) == 0 ? device : std::string{};
}

std::string DescribePortOpenFailure(const std::string& device, int baud)
{
    struct stat info {};
    if (stat(device.c_str(), &info) != 0) {
        return errno == ENOENT ? "port '" + device + "' does not exist"
                               : "cannot reach port '" + device + "': " + std::strerror(errno);
    }
    if (access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        const std::string group = GroupName(info.st_gid);
        return "permission denied on port '" + device + "': the user must be in the group '" + group +
               "' that owns the device (sudo usermod -aG " + group + " \"$USER\", then log in again)";
    }
    if (IsHeldByAnotherProgram(device)) {
        return "port '" + device + "' is in use by another program";
    }
    if (!S_ISCHR(info.st_mode)) {
        return "'" + device + "' is not a serial device";
    }
    return "port '" + device + "' refused the configuration (8-N-1 at " + std::to_string(baud) + " baud)";
}
