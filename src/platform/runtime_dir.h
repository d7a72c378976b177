#pragma once

#include <string>

// Folder where the simulated controller publishes its pseudo-terminals as
// symbolic links, and where the port listing looks for them:
// $XDG_RUNTIME_DIR/orvane/ports, or /tmp/orvane-<uid>/ports without it.
// The folder is not created here. POSIX systems only: the simulator runs
// there.
std::string PublishedPortDirectory();

// The program's own folder for files the user keeps (parameter backups,
// recordings): $XDG_DATA_HOME/orvane, or ~/.local/share/orvane when that is
// unset or relative, as the base-directory convention asks; on Windows
// %LOCALAPPDATA%\Orvane, which stays on this machine. Not created here.
std::string UserDataDirectory();
