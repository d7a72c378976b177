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

std::string WindowUsage()
{
    return "Usage: orvane [TOOLKIT-OPTION]...\n"
           "Tuning and service window for three-axis gimbal controllers on a USB serial\n"
           "port: live state, parameters, calibrations, commands and firmware upgrades.\n"
           "\n"
           "Options:\n"
           "  -h, --help      show this help\n"
           "\n"
           "The toolkit's standard options (-platform, -style, -reverse, ...) are passed on\n"
           "to it. The settings, the window's language among them, are kept in Setting.ini\n"
           "in the working directory. Without a display, use orvane-cli.\n";
}
