#include "params/param_backup.h"

#include "params/param_file.h"
#include "platform/classic_locale.h"
#include "platform/runtime_dir.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

std::string BackupName(uint8_t old_main_version, std::chrono::system_clock::time_point now, int counter)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const std::tm local = LocalCalendarTime(seconds);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = std::string("orvane-backup-") + stamp + "-V" + std::to_string(old_main_version / 10) +
                       "." + std::to_string(old_main_version % 10);
    if (counter > 1)
        name += "-" + std::to_string(counter);
    return name + ".rkdp";
}

void SetError(std::string* error, const std::string& text)
{
    if (error != nullptr)
        *error = text;
}

} // namespace

std::string UpgradeBackupFolder()
{
    return UserDataDirectory() + "/backups";
}

std::string WriteUpgradeBackup(const GimbalParams& params, uint8_t old_main_version,
                               std::chrono::system_clock::time_point now, std::string* error)
{
    const std::filesystem::path folder = UpgradeBackupFolder();
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        SetError(error, "cannot create the backup folder '" + folder.string() + "': " + code.message());
        return {};
    }
    std::filesystem::path path;
    for (int counter = 1; path.empty() || std::filesystem::exists(path, code); ++counter)
        path = folder / BackupName(old_main_version, now, counter);
    if (!SaveParamFile(path.string(), params)) {
        SetError(error, "cannot write the backup '" + path.string() + "'");
        return {};
    }
    return path.string();
}
