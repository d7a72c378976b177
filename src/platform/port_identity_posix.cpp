#include "platform/port_identity.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A USB device's attributes sit a few folders above its tty: the interface,
// then (for usb-serial drivers) the port in between.
constexpr int kLevelsUpToUsbDevice = 4;

std::string FirstLineOf(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::optional<std::string> UsbSerialIdentity(fs::path folder)
{
    for (int level = 0; level <= kLevelsUpToUsbDevice && folder.has_relative_path(); ++level) {
        std::error_code error;
        if (fs::exists(folder / "serial", error) && fs::exists(folder / "idVendor", error)) {
            const std::string serial = FirstLineOf(folder / "serial");
            if (serial.empty())
                return std::nullopt; // an adapter without one is told apart by where it is plugged
            return "usb:" + FirstLineOf(folder / "idVendor") + ":" + FirstLineOf(folder / "idProduct") + ":" +
                   serial;
        }
        folder = folder.parent_path();
    }
    return std::nullopt;
}

std::string SystemPortIdentity(const PortListingSources& sources, const std::string& name)
{
    std::error_code error;
    fs::path device = fs::canonical(fs::path(sources.m_tty_class_dir) / name / "device", error);
    if (error)
        return {};
    if (auto usb = UsbSerialIdentity(device))
        return *usb;
    // usb-serial drivers put a device named after the tty between it and the
    // interface; that name changes on a replug, the interface's does not.
    if (device.filename() == name)
        device = device.parent_path();
    return "path:" + device.string();
}

} // namespace

std::string PortIdentityOf(const PortListingSources& sources, const std::string& device_path)
{
    const fs::path path(device_path);
    if (path.parent_path() == fs::path(sources.m_published_dir))
        return "published:" + path.filename().string();
    if (path.parent_path() == fs::path(sources.m_device_dir))
        return SystemPortIdentity(sources, path.filename().string());
    return {};
}
