#include "platform/settings_location.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A Setting.ini in the working folder is used as it is (portable use);
// otherwise the user's roaming application data holds it.
TEST(SettingsLocation, WorkingFolderOnlyWhenAFileIsThere)
{
    const ScratchFolder scratch("settings-location");
    const std::string user_folder = UserSettingsFolder();
    ASSERT_TRUE(fs::path(user_folder).is_absolute()) << user_folder;
    EXPECT_EQ(fs::path(user_folder).filename(), "Orvane");
    EXPECT_EQ(ChooseSettingsPath(scratch.Path().string()), user_folder + "\\Setting.ini");

    std::ofstream(scratch.Path() / "Setting.ini") << "[Setting]\nLAN=EN\n";
    EXPECT_EQ(ChooseSettingsPath(scratch.Path().string()), (scratch.Path() / "Setting.ini").string());
}

} // namespace
