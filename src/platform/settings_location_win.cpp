#include "platform/settings_location.h"

#include "platform/known_folder_win.h"

// Settings roam with the user's profile: %APPDATA%\Orvane.
std::string UserSettingsFolder()
{
    return KnownFolder(FOLDERID_RoamingAppData) + "\\Orvane";
}
