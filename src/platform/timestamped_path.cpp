#include "platform/timestamped_path.h"

#include "platform/local_time.h"

#include <filesystem>
#include <system_error>

std::string FreshTimestampedPath(const std::string& folder, const std::string& prefix,
                                 const std::string& tail, const std::string& extension,
                                 std::chrono::system_clock::time_point now)
{
    const std::tm local = LocalTime(now);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = (std::filesystem::path(folder) / (prefix + stamp + tail)).string();
    std::string path = stem + extension;
    std::error_code error;
    for (int counter = 2; std::filesystem::exists(std::filesystem::symlink_status(path, error)); ++counter)
        path = stem + "-" + std::to_string(counter) + extension;
    return path;
}
