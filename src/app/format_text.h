#pragma once

#include <string>

// printf-style formatting into a std::string, always with the conventions of
// the "C" locale (a full stop as decimal point), whatever locale the process
// or the window toolkit has set.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
