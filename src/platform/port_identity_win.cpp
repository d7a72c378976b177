#include "platform/port_identity_win.h"
#include "platform/port_identity.h"

#include "platform/wide_text_win.h"
#include "platform/windows_api_win.h"

// Defines the device class GUIDs here instead of needing a library for them.
#include <initguid.h>

#include <cfgmgr32.h>
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <cwctype>

// Declared by <ntddser.h>, which the cross toolchain lacks:
// {86E0D1E0-8089-11D0-9CE4-08003E301F73}.
DEFINE_GUID(kComPortInterface, 0x86E0D1E0L, 0x8089, 0x11D0, 0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73);

namespace {

// An adapter's port device sits below its USB device, with an interface
// (MI_xx) or a vendor bus (FTDIBUS, ...) in between at most.
constexpr int kLevelsUpToUsbDevice = 3;

constexpr std::wstring_view kUsbPrefix = L"USB\\VID_";

std::wstring Upper(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towupper(c); });
    return text;
}

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

std::wstring InstanceIdOf(DEVINST device)
{
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    if (CM_Get_Device_IDW(device, id, MAX_DEVICE_ID_LEN, 0) != CR_SUCCESS)
        return {};
    return id;
}

// The USB device above `port`, its vendor, product and serial number; else
// the port device's own instance path, which Windows keeps per plug
// position for adapters without a serial number.
std::string DeviceIdentity(DEVINST port)
{
    DEVINST device = port;
    for (int level = 0; level <= kLevelsUpToUsbDevice; ++level) {
        const std::wstring id = InstanceIdOf(device);
        const std::wstring upper = Upper(id);
        // An interface (MI_xx) of a composite device: its parent has the serial number.
        if (upper.compare(0, kUsbPrefix.size(), kUsbPrefix) == 0 &&
            upper.find(L"&MI_") == std::wstring::npos) {
            if (std::string usb = UsbIdentityOfInstanceId(id); !usb.empty())
                return usb;
            break;
        }
        DEVINST parent = 0;
        if (CM_Get_Parent(&parent, device, 0) != CR_SUCCESS)
            break;
        device = parent;
    }
    const std::wstring own = InstanceIdOf(port);
    return own.empty() ? std::string() : "instance:" + Utf8FromWide(own);
}

// The "PortName" value the port's driver keeps in its device key.
std::wstring PortNameOf(HDEVINFO set, SP_DEVINFO_DATA& info)
{
    const HKEY key = SetupDiOpenDevRegKey(set, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[256] = {};
    DWORD size = sizeof name - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(name) : std::wstring();
}

// The device behind COM port `port_name` among the present devices of one
// device set.
std::string IdentityInSet(HDEVINFO set, const std::wstring& port_name)
{
    if (set == INVALID_HANDLE_VALUE)
        return {};
    std::string identity;
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof info;
    for (DWORD index = 0; identity.empty() && SetupDiEnumDeviceInfo(set, index, &info); ++index) {
        if (CompareStringOrdinal(PortNameOf(set, info).c_str(), -1, port_name.c_str(), -1, TRUE) ==
            CSTR_EQUAL)
            identity = DeviceIdentity(info.DevInst);
    }
    SetupDiDestroyDeviceInfoList(set);
    return identity;
}

} // namespace

std::string UsbIdentityOfInstanceId(std::wstring_view instance_id)
{
    const std::wstring upper = Upper(std::wstring(instance_id));
    const size_t product = upper.find(L"&PID_");
    const size_t serial = upper.rfind(L'\\');
    if (upper.compare(0, kUsbPrefix.size(), kUsbPrefix) != 0 || product != kUsbPrefix.size() + 4 ||
        serial == std::wstring::npos || serial < product + 9 || serial + 1 == upper.size() ||
        upper.find(L'&', serial) != std::wstring::npos)
        return {};
    const std::wstring lower = Lower(std::wstring(instance_id));
    return "usb:" + Utf8FromWide(lower.substr(kUsbPrefix.size(), 4)) + ":" +
           Utf8FromWide(lower.substr(product + 5, 4)) + ":" + Utf8FromWide(instance_id.substr(serial + 1));
}

std::string PortIdentityOf(const PortListingSources&, const std::string& device_path)
{
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    if (device_path.compare(0, kDevicePrefix.size(), kDevicePrefix) != 0)
        return {};
    const std::wstring port_name = WideFromUtf8(device_path.substr(kDevicePrefix.size()));
    // Most adapters register in the Ports class; some (modems, a few CDC
    // drivers) only publish the COM port interface.
    std::string identity =
        IdentityInSet(SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT), port_name);
    if (identity.empty())
        identity = IdentityInSet(
            SetupDiGetClassDevsW(&kComPortInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE),
            port_name);
    return identity;
}
