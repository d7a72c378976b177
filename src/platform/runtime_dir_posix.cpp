#include "platform/runtime_dir.h"

#include <cstdlib>
#include <unistd.h>

std::string PublishedPortDirectory()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/')
        return std::string(runtime) + "/orvane/ports";
    return "/tmp/orvane-" + std::to_string(getuid()) + "/ports";
}

std::string UserDataDirectory()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/')
        return std::string(data) + "/orvane";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share/orvane";
}
