#pragma once

#include "params/gimbal_params.h"

#include <chrono>
#include <cstdint>
#include <string>

// Where the parameter sets kept before a firmware upgrade go:
// $XDG_DATA_HOME/orvane/backups, or ~/.local/share/orvane/backups.
std::string UpgradeBackupDirectory();

// Writes `params` to a new parameter file named after the time and the
// firmware version it was read from ("orvane-backup-20261209-183012-V2.3.rkdp")
// in UpgradeBackupDirectory(), creating the folder as needed. Returns the
// file's path, or "" with `error` set when it could not be written.
std::string WriteUpgradeBackup(const GimbalParams& params, uint8_t old_main_version,
                               std::chrono::system_clock::time_point now, std::string* error);
