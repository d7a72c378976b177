#pragma once

#include <string>
#include <string_view>

// A USB device's identity from its instance path:
// "USB\VID_0403&PID_6001\A50285BI" gives "usb:0403:6001:A50285BI". Empty for a path that is no USB
// device's, and for a device without a serial number, whose last part
// Windows makes up with '&' in it.
std::string UsbIdentityOfInstanceId(std::wstring_view instance_id);
