#include "params/param_backup.h"

#include "params/param_file.h"
#include "platform/runtime_dir.h"
#include "platform/timestamped_path.h"

#include <filesystem>
#include <system_error>

namespace {

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
    const std::string version =
        "-V" + std::to_string(old_main_version / 10) + "." + std::to_string(old_main_version % 10);
    const std::string path = FreshTimestampedPath(folder.string(), "orvane-backup-", version, ".rkdp", now);
    if (!SaveParamFile(path, params)) {
        SetError(error, "cannot write the backup '" + path + "'");
        return {};
    }
    return path;
}
