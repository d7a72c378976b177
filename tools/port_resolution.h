#pragma once

#include <string>

// Turns --port into a device path: a path (anything with a '/', on Windows a
// '\\', as in "\\.\COM12") is taken as it is; a name is looked up in the
// port list that 'ports' prints, then as a device under /dev (on Windows, a
// name such as "COM5" as that COM port). Empty when nothing matches.
std::string ResolvePortPath(const std::string& port);
