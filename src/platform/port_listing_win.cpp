#include "platform/port_listing.h"

#include "platform/wide_text_win.h"
#include "platform/windows_api_win.h"

#include <algorithm>

namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";

class RegistryKey {
public:
    RegistryKey(HKEY root, const std::wstring& path)
        : m_status(RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &m_key))
    {
        if (m_status != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~RegistryKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return m_key; }
    LSTATUS Status() const { return m_status; }

private:
    HKEY m_key = nullptr;
    LSTATUS m_status;
};

// The text data of every value of `key`. Buffers are sized from the key's
// own longest name and data, so no port name is ever cut.
std::vector<std::wstring> TextValues(HKEY key)
{
    DWORD count = 0;
    DWORD longest_name = 0;
    DWORD longest_data = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest_name,
                         &longest_data, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> values;
    std::wstring name(longest_name + 1, L'\0');
    std::vector<BYTE> data(longest_data + sizeof(wchar_t));
    for (DWORD index = 0; index < count; ++index) {
        DWORD name_length = static_cast<DWORD>(name.size());
        DWORD data_size = static_cast<DWORD>(data.size() - sizeof(wchar_t));
        DWORD type = 0;
        if (RegEnumValueW(key, index, name.data(), &name_length, nullptr, &type, data.data(), &data_size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            continue;
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data_size / sizeof(wchar_t));
        text.resize(std::min(text.size(), text.find(L'\0')));
        if (!text.empty())
            values.push_back(std::move(text));
    }
    return values;
}

} // namespace

PortListingSources SystemPortListingSources()
{
    return {true, "HARDWARE\\DEVICEMAP\\SERIALCOMM"};
}

std::vector<SerialPortItem> ListSerialPortItems(const PortListingSources& sources)
{
    return ReadSerialPortItems(sources).value_or(std::vector<SerialPortItem>{});
}

std::optional<std::vector<SerialPortItem>> ReadSerialPortItems(const PortListingSources& sources)
{
    const RegistryKey key(sources.m_machine_key ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                          WideFromUtf8(sources.m_serial_comm_key));
    // The system drops the key while no COM port is present: that is an
    // empty list, not a failure to read one.
    if (key.Status() == ERROR_FILE_NOT_FOUND)
        return std::vector<SerialPortItem>{};
    if (key.Get() == nullptr)
        return std::nullopt;
    std::vector<SerialPortItem> items;
    for (const std::wstring& value : TextValues(key.Get())) {
        std::string name = Utf8FromWide(value);
        std::string path = std::string(kDevicePrefix) + name;
        items.push_back({std::move(name), std::move(path)});
    }
    std::sort(items.begin(), items.end(), [](const SerialPortItem& a, const SerialPortItem& b) {
        return a.m_display_name < b.m_display_name;
    });
    return items;
}
