#include "app/app_settings.h"

#include "platform/ini_file.h"
#include "platform/number_text.h"

namespace {

constexpr std::string_view kPortIndexKey = "COMNUM";

std::vector<AppSettingsKey> BuildKeys()
{
    return {
        {kPortIndexKey, "0", &AppSettings::m_port_index},
        {"SENDPRD", "10", &AppSettings::m_send_period},
        {"COMBAUND", "115200", &AppSettings::m_baud_rate},
        {"AUTOSTOP", "0", &AppSettings::m_autostop},
        {"PRODUCTTYPE", "", &AppSettings::m_product_type_list},
        {"GIMBALTYPE", "", &AppSettings::m_gimbal_type_list},
        {"CAMERATYPE", "", &AppSettings::m_camera_type_list},
        {"RANGERTYPE", "", &AppSettings::m_ranger_type_list},
    };
}

void StoreValue(AppSettings& settings, const AppSettingsKey& entry, const std::string& text)
{
    if (const auto* number = std::get_if<int32_t AppSettings::*>(&entry.field)) {
        settings.*(*number) = ParseIntLikeAtoi(text);
    } else {
        settings.*std::get<std::string AppSettings::*>(entry.field) = text;
    }
}

std::string ValueText(const AppSettings& settings, const AppSettingsKey& entry, int port_selection)
{
    if (entry.key == kPortIndexKey) {
        return FormatInt(port_selection);
    }
    if (const auto* number = std::get_if<int32_t AppSettings::*>(&entry.field)) {
        return FormatInt(settings.*(*number));
    }
    return settings.*std::get<std::string AppSettings::*>(entry.field);
}

} // namespace

const std::vector<AppSettingsKey>& AppSettingsKeys()
{
    static const std::vector<AppSettingsKey> keys = BuildKeys();
    return keys;
}

AppSettings LoadAppSettingsFrom(const std::string& settings_path)
{
    const IniDocument document = IniDocument::Load(settings_path);
    AppSettings settings;
    for (const AppSettingsKey& entry : AppSettingsKeys()) {
        StoreValue(settings, entry, document.Read(kSettingsSection, entry.key, entry.default_text));
    }
    return settings;
}

bool SaveAppSettingsTo(const std::string& settings_path, const AppSettings& settings, int port_selection)
{
    IniDocument document = IniDocument::Load(settings_path);
    for (const AppSettingsKey& entry : AppSettingsKeys()) {
        // A value the file cannot hold (a line break in a list) stops the
        // save before anything is written: a half-saved file would start the
        // next run with a mix of new and old settings.
        if (!document.Write(kSettingsSection, entry.key, ValueText(settings, entry, port_selection))) {
            return false;
        }
    }
    return document.Save(settings_path);
}

std::vector<std::string> SplitTypeList(std::string_view list)
{
    std::vector<std::string> items;
    while (!list.empty()) {
        const size_t separator = list.find(';');
        const std::string_view piece = list.substr(0, separator);
        if (!piece.empty()) {
            items.emplace_back(piece);
        }
        list = separator == std::string_view::npos ? std::string_view() : list.substr(separator + 1);
    }
    return items;
}
