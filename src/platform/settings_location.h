#pragma once

#include <string>

// Where the programs keep "Setting.ini". A copy in the working folder wins,
// so a portable installation keeps working as before; otherwise the user's
// own configuration folder holds it, so an installed program started from
// the desktop menu neither writes into the home folder nor fails to save.

// The user's configuration folder for the program, not created here:
// $XDG_CONFIG_HOME/orvane, or ~/.config/orvane when that is unset or
// relative (POSIX); %APPDATA%\Orvane (Windows).
std::string UserSettingsFolder();

// "Setting.ini" in `working_dir` when such a file (or link) is there,
// otherwise "Setting.ini" in UserSettingsFolder().
std::string ChooseSettingsPath(const std::string& working_dir);

// Creates the folder of `settings_path` when it is missing, so that the first
// save can create the file. False when it cannot be created.
bool PrepareSettingsFolder(const std::string& settings_path);
