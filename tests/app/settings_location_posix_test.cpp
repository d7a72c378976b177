#include "app/startup.h"
#include "platform/settings_location.h"
#include "platform/ui_language.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A Setting.ini in the working folder is used as it is (portable use);
// otherwise the user's configuration folder holds it, made on first start.
TEST(SettingsLocation, WorkingFolderOnlyWhenAFileIsThere)
{
    const ScratchFolder scratch("settings-location");
    const uint16_t saved_language = GetUiLanguage();
    const fs::path config = scratch.Path() / "config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const fs::path work = scratch.Path() / "work";
    fs::create_directories(work);
    const StartupInfo installed = PrepareStartup(work.string(), "/usr/bin/orvane");
    SetUiLanguage(saved_language);
    EXPECT_EQ(installed.settings_path, (config / "orvane/Setting.ini").string());
    EXPECT_TRUE(fs::is_regular_file(config / "orvane/Setting.ini")) << "created with the language key";
    EXPECT_FALSE(fs::exists(work / "Setting.ini"));

    std::ofstream(work / "Setting.ini") << "[Setting]\nLAN=EN\n";
    EXPECT_EQ(ChooseSettingsPath(work.string()), (work / "Setting.ini").string());

    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", scratch.Path().c_str(), 1);
    EXPECT_EQ(ChooseSettingsPath((scratch.Path() / "empty").string()),
              (scratch.Path() / ".config/orvane/Setting.ini").string());
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
