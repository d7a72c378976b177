#include "platform/port_listing.h"

#include "platform/runtime_dir.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The 8250 driver registers a fixed number of ports whether or not a UART
// sits behind them; ports with real hardware are bound to another driver
// (serial, dw-apb-uart, ...).
constexpr const char* kPlaceholderDriver = "serial8250";

// Newer kernels put a port and a controller device of the serial core's own
// bus between a UART's tty and its hardware; the hardware's driver is the
// one that tells a real port from a placeholder.
constexpr const char* kSerialCoreBus = "serial-base";

std::string LinkName(const fs::path& link)
{
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    return error ? std::string() : target.filename().string();
}

// The driver bound to the hardware behind a tty class entry, empty when no
// driver is bound.
std::string DriverOf(const fs::path& entry)
{
    std::error_code error;
    fs::path device = fs::canonical(entry / "device", error);
    if (error)
        return {};
    while (LinkName(device / "subsystem") == kSerialCoreBus && device.has_relative_path())
        device = device.parent_path();
    return LinkName(device / "driver");
}

// Calls `visit` for each entry of `folder`; a missing or unreadable folder
// has no entries.
template <typename Visit> void ForEachEntry(const std::string& folder, Visit visit)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        visit(*it);
}

bool IsRealSerialDevice(const fs::path& entry)
{
    const std::string driver = DriverOf(entry);
    return !driver.empty() && driver != kPlaceholderDriver;
}

void AddSystemDevices(const PortListingSources& sources, std::vector<SerialPortItem>& items)
{
    ForEachEntry(sources.m_tty_class_dir, [&](const fs::directory_entry& entry) {
        if (!IsRealSerialDevice(entry.path()))
            return;
        const std::string name = entry.path().filename().string();
        items.push_back({name, (fs::path(sources.m_device_dir) / name).string()});
    });
}

void AddPublishedPorts(const PortListingSources& sources, std::vector<SerialPortItem>& items)
{
    ForEachEntry(sources.m_published_dir, [&](const fs::directory_entry& entry) {
        std::error_code error;
        // exists() follows the link: a link whose target is gone is skipped.
        if (!entry.is_symlink(error) || !fs::exists(entry.path(), error))
            return;
        items.push_back({entry.path().filename().string(), entry.path().string()});
    });
}

} // namespace

PortListingSources SystemPortListingSources()
{
    return {"/sys/class/tty", "/dev", PublishedPortDirectory()};
}

std::optional<std::vector<SerialPortItem>> ReadSerialPortItems(const PortListingSources& sources)
{
    std::error_code error;
    fs::directory_iterator readable(sources.m_tty_class_dir, error);
    if (error)
        return std::nullopt;
    return ListSerialPortItems(sources);
}

std::vector<SerialPortItem> ListSerialPortItems(const PortListingSources& sources)
{
    std::vector<SerialPortItem> items;
    AddSystemDevices(sources, items);
    AddPublishedPorts(sources, items);
    std::sort(items.begin(), items.end(), [](const SerialPortItem& a, const SerialPortItem& b) {
        return a.m_display_name < b.m_display_name;
    });
    return items;
}
