#pragma once

#include <optional>
#include <string>
#include <vector>

// One serial port the user can choose.
struct SerialPortItem {
    std::string m_display_name; // what the port box shows, e.g. "ttyUSB0" or "COM3"
    std::string m_device_path;  // what Open takes, e.g. "/dev/ttyUSB0" or "\\.\COM3"
};

#ifdef _WIN32
// Where the listing looks; tests point it at a key of their own.
struct PortListingSources {
    bool m_machine_key;            // under HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER
    std::string m_serial_comm_key; // one value per port, its data the port's name
};
#else
// Where the listing looks; tests point these at a fake tree.
struct PortListingSources {
    std::string m_tty_class_dir; // the system's tty class folder
    std::string m_device_dir;    // where the device nodes live
    std::string m_published_dir; // links published by the simulated controller
};
#endif

// Windows: HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, where the
// system publishes the COM ports present now. POSIX: the system's folders
// and PublishedPortDirectory().
PortListingSources SystemPortListingSources();

// The same as ListSerialPortItems, or nullopt when the place the system
// lists its ports (Windows: the key; POSIX: the tty class folder) cannot be
// read at all: a caller then keeps the list it shows.
std::optional<std::vector<SerialPortItem>> ReadSerialPortItems(const PortListingSources& sources);

// Windows: the COM ports the key names. POSIX: the serial devices the system
// really has (ttys backed by a device with a driver, without the unused 8250
// placeholders) and the published ports whose target still exists. Both
// sorted as text by display name, so COM10 comes before COM3.
std::vector<SerialPortItem> ListSerialPortItems(const PortListingSources& sources);
