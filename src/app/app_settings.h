#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The installation settings of "Setting.ini" other than the language: read
// once when the main dialog starts, written back once when it closes.
struct AppSettings {
    int32_t m_port_index = 0;  // index of the selected item in the port box, not a port number
    int32_t m_send_period = 0; // milliseconds between outbound frames
    int32_t m_baud_rate = 0;
    int32_t m_autostop = 0; // 0 off, anything else on
    // Items of the type boxes, separated by ";" (UTF-8).
    std::string m_product_type_list;
    std::string m_gimbal_type_list;
    std::string m_camera_type_list;
    std::string m_ranger_type_list;
};

inline constexpr std::string_view kSettingsSection = "Setting";

// One key of section "Setting", its default and the field it fills.
struct AppSettingsKey {
    std::string_view key;
    std::string_view default_text;
    std::variant<int32_t AppSettings::*, std::string AppSettings::*> field;
};

// The eight keys in the order they are read and written.
const std::vector<AppSettingsKey>& AppSettingsKeys();

// Reads the eight keys; numbers parse like atoi, missing keys take their
// defaults, a missing or unreadable file gives all defaults.
AppSettings LoadAppSettingsFrom(const std::string& settings_path);

// Writes the eight keys in table order in one atomic rewrite of the file,
// keeping every other key; "COMNUM" is `port_selection` (-1 for none), not the
// loaded index. All or nothing: returns false, leaving the file unchanged,
// when the file could not be written or a value cannot be stored in it.
bool SaveAppSettingsTo(const std::string& settings_path, const AppSettings& settings, int port_selection);

// The items of a type list in order; empty pieces add no item.
std::vector<std::string> SplitTypeList(std::string_view list);
