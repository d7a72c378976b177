#include "platform/timestamped_path.h"

#include "platform/classic_locale.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

// Paths are UTF-8 throughout; the system's own encoding may differ.
std::filesystem::path PathFromUtf8(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::string FreshTimestampedPath(const std::string& folder, const std::string& prefix,
                                 const std::string& tail, const std::string& extension,
                                 std::chrono::system_clock::time_point now)
{
    const std::tm local = LocalCalendarTime(std::chrono::system_clock::to_time_t(now));
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(prefix + stamp + tail));
    std::string path = stem + extension;
    std::error_code error;
    for (int counter = 2; std::filesystem::exists(std::filesystem::symlink_status(PathFromUtf8(path), error));
         ++counter)
        path = stem + "-" + std::to_string(counter) + extension;
    return path;
}
