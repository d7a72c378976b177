#pragma once

#include "platform/process.h"
#include "platform/ui_language.h"

#include <cstdint>
#include <string>
#include <string_view>

// Start-up of the program before its window exists: where the settings file
// lies, what the program is called, which language it speaks, and the relaunch
// after a language change.

// The value of `key` in `section` of the INI file at `path` (at most 1023
// characters), or `fallback` when the file, the section or the key is missing.
std::string ReadProfileText(std::string_view section, std::string_view key, std::string_view fallback,
                            const std::string& path);

// Sets one INI value. False when the file could not be written; a failed
// write leaves the file as it was.
bool WriteProfileText(std::string_view section, std::string_view key, std::string_view value,
                      const std::string& path);

// The executable's file name without its folder and without its last
// extension; the whole file name when it has no ".".
std::string AppTitleFromExecutable(std::string_view executable_path);

// The language key of the settings file and the two values the language box
// writes.
inline constexpr std::string_view kLanguageSection = "Setting";
inline constexpr std::string_view kLanguageKey = "LAN";
inline constexpr std::string_view kLanguageValueChinese = "CN";
inline constexpr std::string_view kLanguageValueEnglish = "EN";
inline constexpr std::string_view kLanguageDefaultValue = kLanguageValueChinese;

// Exactly "CN" means Chinese; every other value, "cn" and "" included, English.
uint16_t LanguageFromSetting(std::string_view value);

// Reads the language key (default "CN"), makes its language the UI language
// and writes the value read back unchanged, so a missing key is created.
// Returns the language set.
uint16_t ApplyLanguageSetting(const std::string& settings_path);

// Items of the language box: 0 "简体中文", 1 "English".
inline constexpr int kLanguageItemChinese = 0;
inline constexpr int kLanguageItemEnglish = 1;

// The value the language box stores for its selection: "EN" for the English
// item; "CN" for the Chinese item and for no selection (-1).
std::string_view LanguageValueForSelection(int selection);

// Stores the language chosen in the language box; it takes effect when the
// program is started again.
void SaveLanguageSelection(int selection, const std::string& settings_path);

// What start-up works out before the main dialog is created.
struct StartupInfo {
    std::string settings_path;
    std::string app_title;
    uint16_t language = kLanguageEnglish;
};

// Sets the character-type locale to the user's and raises the process's
// priority class (RaiseProcessPriority), then fills StartupInfo from the
// working directory (ChooseSettingsPath: its Setting.ini, else the user's)
// and the executable's path and applies the language setting.
StartupInfo PrepareStartup(const std::string& current_dir, const std::string& executable_path);
