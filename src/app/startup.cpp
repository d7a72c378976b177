#include "app/startup.h"

#include "platform/ini_file.h"
#include "platform/settings_location.h"

#include <spawn.h>

#include <clocale>
#include <filesystem>
#include <system_error>

extern char** environ;

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

std::string CurrentDirectory()
{
    std::error_code error;
    std::filesystem::path directory = std::filesystem::current_path(error);
    return error ? std::string() : directory.string();
}

std::string ExecutablePath()
{
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.string();
}

std::string AppTitleFromExecutable(std::string_view executable_path)
{
    const size_t slash = executable_path.rfind('/');
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
    StartupInfo info;
    info.settings_path = ChooseSettingsPath(current_dir);
    // The language key is written at once: the first save of a new file.
    PrepareSettingsFolder(info.settings_path);
    info.app_title = AppTitleFromExecutable(executable_path);
    info.language = ApplyLanguageSetting(info.settings_path);
    return info;
}

bool LaunchProgram(const std::string& executable_path)
{
    if (executable_path.empty()) {
        return false;
    }
    // A session of its own, so the new instance outlives this one and is not
    // taken down with its terminal or process group.
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return false;
    }
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string argument0 = executable_path;
    char* arguments[] = {argument0.data(), nullptr};
    pid_t child = 0;
    const int result = posix_spawn(&child, executable_path.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    return result == 0;
}
