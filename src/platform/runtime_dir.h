#pragma once

#include <string>

// Folder where the simulated controller publishes its pseudo-terminals as
// symbolic links, and where the port listing looks for them:
// $XDG_RUNTIME_DIR/orvane/ports, or /tmp/orvane-<uid>/ports without it.
// The folder is not created here.
std::string PublishedPortDirectory();
