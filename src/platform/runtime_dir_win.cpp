#include "platform/runtime_dir.h"

#include "platform/known_folder_win.h"

// Recordings and backups stay on this machine: %LOCALAPPDATA%\Orvane.
std::string UserDataDirectory()
{
    return KnownFolder(FOLDERID_LocalAppData) + "\\Orvane";
}
