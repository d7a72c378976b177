#pragma once

#include "params/gimbal_params.h"

#include <chrono>
#include <cstdint>
#include <string>

// The parameter set saved before a firmware upgrade, so the user's tuning
// can be uploaded again afterwards.

// $XDG_DATA_HOME/orvane/backups, or ~/.local/share/orvane/backups.
std::string UpgradeBackupFolder();

// Writes `params` as a parameter file named after the local date and time
// and the firmware version it came from, e.g.
// orvane-backup-20261209-183012-V2.3.rkdp, into UpgradeBackupFolder()
// (created as needed; an existing name gets a counter, nothing is
// overwritten). Returns the file's path, or "" with the reason in `error`.
std::string WriteUpgradeBackup(const GimbalParams& params, uint8_t old_main_version,
                               std::chrono::system_clock::time_point now, std::string* error);
