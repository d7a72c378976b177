#include "app/startup.h"

#include "platform/ini_file.h"
#include "platform/settings_location.h"
#include "platform/thread_priority.h"

#include <clocale>

std::string ReadProfileText(std::string_view section, std::string_view key, std::string_view fallback,
                            const std::string& path)
{
    return ReadIniString(path, section, key, fallback);
}

bool WriteProfileText(std::string_view section, std::string_view key, std::string_view value,
                      const std::string& path)
{
    return WriteIniString(path, section, key, value);
}

std::string AppTitleFromExecutable(std::string_view executable_path)
{
    const size_t slash = executable_path.find_last_of(kPathSeparators);
    const std::string_view file_name =
        slash == std::string_view::npos ? executable_path : executable_path.substr(slash + 1);
    // Programs on Linux usually carry no extension; their whole file name is
    // the title then, rather than an empty caption on every window and box.
    const size_t dot = file_name.rfind('.');
    return std::string(dot == std::string_view::npos ? file_name : file_name.substr(0, dot));
}

uint16_t LanguageFromSetting(std::string_view value)
{
    return value == kLanguageValueChinese ? kLanguageChinese : kLanguageEnglish;
}

uint16_t ApplyLanguageSetting(const std::string& settings_path)
{
    const std::string value =
        ReadProfileText(kLanguageSection, kLanguageKey, kLanguageDefaultValue, settings_path);
    const uint16_t language = LanguageFromSetting(value);
    SetUiLanguage(language);
    // Writing back what was read creates the key on first start and leaves
    // any other value exactly as the user wrote it.
    WriteProfileText(kLanguageSection, kLanguageKey, value, settings_path);
    return language;
}

std::string_view LanguageValueForSelection(int selection)
{
    return selection == kLanguageItemEnglish ? kLanguageValueEnglish : kLanguageValueChinese;
}

void SaveLanguageSelection(int selection, const std::string& settings_path)
{
    WriteProfileText(kLanguageSection, kLanguageKey, LanguageValueForSelection(selection), settings_path);
}

StartupInfo PrepareStartup(const std::string& current_dir, const std::string& executable_path)
{
    std::setlocale(LC_CTYPE, "");
    RaiseProcessPriority();
    StartupInfo info;
    info.settings_path = ChooseSettingsPath(current_dir);
    // The language key is written at once: the first save of a new file.
    PrepareSettingsFolder(info.settings_path);
    info.app_title = AppTitleFromExecutable(executable_path);
    info.language = ApplyLanguageSetting(info.settings_path);
    return info;
}
