#include "platform/settings_location.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsFileName = "Setting.ini";

// Paths are UTF-8 throughout; the system's own encoding may differ.
fs::path PathFromUtf8(const std::string& path)
{
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::string ChooseSettingsPath(const std::string& working_dir)
{
    std::error_code error;
    const fs::path portable = PathFromUtf8(working_dir.empty() ? "." : working_dir) / kSettingsFileName;
    if (!working_dir.empty() && fs::exists(fs::symlink_status(portable, error)))
        return Utf8FromPath(portable);
    return Utf8FromPath(PathFromUtf8(UserSettingsFolder()) / kSettingsFileName);
}

bool PrepareSettingsFolder(const std::string& settings_path)
{
    const fs::path folder = PathFromUtf8(settings_path).parent_path();
    if (folder.empty())
        return true;
    std::error_code error;
    fs::create_directories(folder, error);
    return !error;
}
