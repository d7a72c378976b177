#pragma once

#include <optional>
#include <string>
#include <vector>

// One serial port the user can choose.
struct SerialPortItem {
    std::string m_display_name; // what the port box shows, e.g. "ttyUSB0"
    std::string m_device_path;  // what Open takes, e.g. "/dev/ttyUSB0"
};

// Where the listing looks; tests point these at a fake tree.
struct PortListingSources {
    std::string m_tty_class_dir; // the system's tty class folder
    std::string m_device_dir;    // where the device nodes live
    std::string m_published_dir; // links published by the simulated controller
};

// The system's folders and PublishedPortDirectory().
PortListingSources SystemPortListingSources();

// The same as ListSerialPortItems, or nullopt when the system's tty class
// folder cannot be read at all: a caller then keeps the list it shows.
std::optional<std::vector<SerialPortItem>> ReadSerialPortItems(const PortListingSources& sources);

// The serial devices the system really has (ttys backed by a device with a
// driver, without the unused 8250 placeholders) and the published ports
// whose target still exists, sorted as text by display name.
std::vector<SerialPortItem> ListSerialPortItems(const PortListingSources& sources);
