#include "features/upgrade_backup/upgrade_backup_note.h"

#include "params/param_backup.h"
#include "resources/ui_texts.h"

std::string BackUpBeforeUpgrade(const GimbalParams& params, uint8_t main_version,
                                std::chrono::system_clock::time_point now)
{
    std::string error;
    const std::string path = WriteUpgradeBackup(params, main_version, now, &error);
    return path.empty() ? LoadUiText(UiText::kUpgradeBackupFailed, error)
                        : LoadUiText(UiText::kUpgradeBackupWritten, path);
}
