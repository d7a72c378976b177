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
