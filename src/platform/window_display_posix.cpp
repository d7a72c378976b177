#include "platform/window_display.h"

#include <cstdlib>

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool HasWindowDisplay()
{
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}
