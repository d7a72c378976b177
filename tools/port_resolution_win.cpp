#include "port_resolution.h"

#include "platform/port_listing.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";

// "COM" in any case and a number: a port even when the system's list does
// not name it (some virtual port drivers publish none).
bool IsComPortName(std::string_view name)
{
    return name.size() > 3 &&
           std::equal(name.begin(), name.begin() + 3, "COM",
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; }) &&
           std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

// A device path ("\\.\COM12", or any path with a backslash) is taken as it
// is; a name is looked up in the port list that 'ports' prints, then taken
// as a COM port.
std::string ResolvePortPath(const std::string& port)
{
    if (port.find('\\') != std::string::npos)
        return port;
    for (const SerialPortItem& item : ListSerialPortItems(SystemPortListingSources())) {
        if (item.m_display_name == port)
            return item.m_device_path;
    }
    return IsComPortName(port) ? std::string(kDevicePrefix) + port : std::string();
}
