#pragma once

// <windows.h> without the min and max macros that break std::min and
// std::max, and without the rarely used parts that slow every build.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
