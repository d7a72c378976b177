#include "platform/port_identity.h"
#include "platform/port_identity_win.h"
#include "platform/port_listing.h"
#include "platform/windows_api_win.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A key of the test's own under HKEY_CURRENT_USER, standing in for the
// system's SERIALCOMM key; removed again at the end.
class ScratchPortKey {
public:
    ScratchPortKey() : m_path(L"Software\\OrvaneTest\\SerialComm" + std::to_wstring(GetCurrentProcessId()))
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                        nullptr);
    }
    ~ScratchPortKey()
    {
        RegCloseKey(m_key);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    ScratchPortKey(const ScratchPortKey&) = delete;
    ScratchPortKey& operator=(const ScratchPortKey&) = delete;

    void AddPort(const std::wstring& device, const std::wstring& port)
    {
        RegSetValueExW(m_key, device.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                       static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)));
    }
    void AddNumber(const std::wstring& name, DWORD number)
    {
        RegSetValueExW(m_key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
    }
    PortListingSources Sources() const
    {
        std::string path;
        for (wchar_t c : m_path)
            path += static_cast<char>(c);
        return {false, path};
    }

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};

TEST(PortListingWin, ListsThePublishedPortsSortedAsText)
{
    ScratchPortKey key;
    key.AddPort(L"\\Device\\Serial0", L"COM3");
    key.AddPort(L"\\Device\\VCP0", L"COM10");
    key.AddPort(L"\\Device\\Serial1", L"COM4");
    // Longer than the 260 characters a fixed buffer would hold.
    key.AddPort(L"\\Device\\" + std::wstring(300, L'x'), L"COM42");
    key.AddNumber(L"NotAPort", 7);
    const std::vector<SerialPortItem> items = ListSerialPortItems(key.Sources());
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].m_display_name, "COM10");
    EXPECT_EQ(items[0].m_device_path, "\\\\.\\COM10");
    EXPECT_EQ(items[1].m_display_name, "COM3");
    EXPECT_EQ(items[2].m_display_name, "COM4");
    EXPECT_EQ(items[3].m_display_name, "COM42");
    EXPECT_EQ(items[3].m_device_path, "\\\\.\\COM42");
}

// The system drops the key while no COM port is present: an empty list,
// which the window shows, not a failed read, which keeps the old one.
TEST(PortListingWin, AMissingKeyListsNothing)
{
    EXPECT_TRUE(ListSerialPortItems({false, "Software\\OrvaneTest\\NoSuchKey"}).empty());
    const auto read = ReadSerialPortItems({false, "Software\\OrvaneTest\\NoSuchKey"});
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->empty());
}

TEST(PortIdentityWin, AUsbDeviceIsKnownByVendorProductAndSerialNumber)
{
    EXPECT_EQ(UsbIdentityOfInstanceId(L"USB\\VID_0403&PID_6001\\A50285BI"), "usb:0403:6001:A50285BI");
    EXPECT_EQ(UsbIdentityOfInstanceId(L"USB\\VID_1A86&PID_7523\\0001"), "usb:1a86:7523:0001");
    // Windows' made-up instance of a device without a serial number.
    EXPECT_EQ(UsbIdentityOfInstanceId(L"USB\\VID_1A86&PID_7523\\5&2C5F0E3&0&2"), "");
    EXPECT_EQ(UsbIdentityOfInstanceId(L"FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000"), "");
    EXPECT_EQ(UsbIdentityOfInstanceId(L"USB\\VID_0403&PID_6001\\"), "");
    EXPECT_EQ(UsbIdentityOfInstanceId(L"USB\\VID_0403"), "");
}

TEST(PortIdentityWin, APathThatIsNoComPortHasNoIdentity)
{
    EXPECT_EQ(PortIdentityOf(SystemPortListingSources(), "C:\\ports\\COM5"), "");
    EXPECT_FALSE(FindPortWithIdentity(SystemPortListingSources(), "").has_value());
}

} // namespace
