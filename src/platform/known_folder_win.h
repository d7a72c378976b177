#pragma once

#include "platform/windows_api_win.h"

#include <knownfolders.h>
#include <shtypes.h>
#include <string>

// A known folder of the user's, in UTF-8; "" when the system has none.
std::string KnownFolder(REFKNOWNFOLDERID id);
