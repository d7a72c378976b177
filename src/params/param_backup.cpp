#include "params/param_backup.h"

#include "params/param_file.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string FileNameFor(uint8_t version, std::chrono::system_clock::time_point now)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char name[64];
    std::snprintf(name, sizeof name, "orvane-backup-%04d%02d%02d-%02d%02d%02d-V%d.%d.rkdp", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, version / 10,
                  version % 10);
    return name;
}

void SetError(std::string* error, const std::string& text)
{
    if (error != nullptr)
        *error = text;
}

} // namespace

std::string UpgradeBackupDirectory()
{
    const char* data_home = std::getenv("XDG_DATA_HOME");
    if (data_home != nullptr && *data_home == '/')
        return (fs::path(data_home) / "orvane" / "backups").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home != nullptr ? home : "/tmp") / ".local" / "share" / "orvane" / "backups").string();
}

std::string WriteUpgradeBackup(const GimbalParams& params, uint8_t old_main_version,
                               std::chrono::system_clock::time_point now, std::string* error)
{
    const fs::path folder = UpgradeBackupDirectory();
    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure) {
        SetError(error, "cannot create " + folder.string() + ": " + failure.message());
        return {};
    }
    const std::string path = (folder / FileNameFor(old_main_version, now)).string();
    if (!SaveParamFile(path, params)) {
        SetError(error, "cannot write " + path);
        return {};
    }
    return path;
}
