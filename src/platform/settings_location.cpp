#include "platform/settings_location.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsFileName = "Setting.ini";

} // namespace

std::string ChooseSettingsPath(const std::string& working_dir)
{
    std::error_code error;
    const fs::path portable = fs::path(working_dir.empty() ? "." : working_dir) / kSettingsFileName;
    if (!working_dir.empty() && fs::exists(fs::symlink_status(portable, error)))
        return portable.string();
    return (fs::path(UserSettingsFolder()) / kSettingsFileName).string();
}

bool PrepareSettingsFolder(const std::string& settings_path)
{
    const fs::path folder = fs::path(settings_path).parent_path();
    if (folder.empty())
        return true;
    std::error_code error;
    fs::create_directories(folder, error);
    return !error;
}
