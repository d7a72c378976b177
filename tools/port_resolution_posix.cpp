#include "port_resolution.h"

#include "platform/port_listing.h"

#include <sys/stat.h>

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
