#include "app/window_usage.h"

#include <string_view>

bool AsksForHelp(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            return false;
        if (argument == "--help" || argument == "-h")
            return true;
    }
    return false;
}

std::string WindowUsage(const std::string& settings_path)
{
    return "Usage: orvane [TOOLKIT-OPTION]...\n"
           "Tuning and service window for three-axis gimbal controllers on a USB serial\n"
           "port: live state, parameters, calibrations, commands and firmware upgrades.\n"
           "\n"
           "Options:\n"
           "  -h, --help      show this help\n"
           "\n"
           "The toolkit's standard options (-platform, -style, -reverse, ...) are passed on\n"
           "to it.\n"
           "\n"
           "The settings, the window's language among them, are kept in Setting.ini in\n"
           "the working directory when one is there (portable use), otherwise in\n"
           "$XDG_CONFIG_HOME/orvane/Setting.ini (default ~/.config/orvane/), created on\n"
           "first start. Started here, the window uses:\n"
           "  " +
           settings_path +
           "\n"
           "\n"
           "Without a display, use orvane-cli.\n";
}
