#include "platform/settings_location.h"

#include <cstdlib>

std::string UserSettingsFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return std::string(config) + "/orvane";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/orvane";
}
