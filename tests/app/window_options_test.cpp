#include "app/window_options.h"

#include "app/app_settings.h"
#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

TEST(WindowOptionsTest, OptionsAreOffUntilWrittenAndNeverTouchTheWindowsSettings)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("orvane-options-" + std::to_string(getpid()) + ".ini"))
            .string();
    std::ofstream(path) << "[Setting]\nCOMNUM=3\nBAUDRATE=115200\n";
    EXPECT_FALSE(ReadWindowOption(WindowOption::kExpertView, path));

    ASSERT_TRUE(WriteWindowOption(WindowOption::kExpertView, true, path));
    ASSERT_TRUE(WriteWindowOption(WindowOption::kReconnectAutomatically, true, path));
    ASSERT_TRUE(WriteWindowOption(WindowOption::kReconnectAutomatically, false, path));

    EXPECT_TRUE(ReadWindowOption(WindowOption::kExpertView, path));
    EXPECT_FALSE(ReadWindowOption(WindowOption::kReconnectAutomatically, path));
    const AppSettings settings = LoadAppSettingsFrom(path);
    EXPECT_EQ(settings.m_port_index, 3);
    EXPECT_EQ(settings.m_baud_rate, 115200);
    EXPECT_EQ(ReadProfileText(kSettingsSection, "ExpertView", "absent", path), "absent");
    std::filesystem::remove(path);
}

TEST(WindowOptionsTest, AMissingFileReadsAsOff)
{
    EXPECT_FALSE(ReadWindowOption(WindowOption::kExpertView, "/nonexistent/orvane/Setting.ini"));
}

} // namespace
