#pragma once

#include <string>

// Turns --port into a device path: a path (anything with a '/') is taken as
// it is; a name is looked up in the port list that 'ports' prints, then as a
// device under /dev. Empty when nothing matches.
std::string ResolvePortPath(const std::string& port);

// Why `device` could not be opened, for the error message: a port that does
// not exist, one another program holds, missing permission (with the group
// the user must join), or a configuration the driver refused.
std::string DescribePortOpenFailure(const std::string& device, int baud);
