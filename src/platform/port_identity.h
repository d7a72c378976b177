#pragma once

#include "platform/port_listing.h"

#include <optional>
#include <string>

// What stays the same when a serial adapter is unplugged and plugged in
// again, though its device name may change: a published port's name, a USB
// device's vendor, product and serial number, else the physical path of the
// hardware behind the tty (on Windows, the device's instance path). Empty
// when the port is none of these.
std::string PortIdentityOf(const PortListingSources& sources, const std::string& device_path);

// The listed port with `identity`, if one is there now.
std::optional<SerialPortItem> FindPortWithIdentity(const PortListingSources& sources,
                                                   const std::string& identity);
