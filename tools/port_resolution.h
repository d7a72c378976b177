#pragma once

#include <string>

// Turns --port into a device path: a path (anything with a '/') is taken as
// it is; a name is looked up in the port list that 'ports' prints, then as a
// device under /dev. Empty when nothing matches.
std::string ResolvePortPath(const std::string& port);
