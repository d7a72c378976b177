#pragma once

#include <string>

// MinGW's C++ library formats with its own C99 printf (%zu, %lld), which the
// compiler checks as gnu_printf; plain printf there means Microsoft's rules.
#ifdef __MINGW32__
#define ORVANE_PRINTF_FORMAT gnu_printf
#else
#define ORVANE_PRINTF_FORMAT printf
#endif

// printf-style formatting into a std::string, always with the conventions of
// the "C" locale (a full stop as decimal point), whatever locale the process
// or the window toolkit has set.
std::string FormatText(const char* format, ...) __attribute__((format(ORVANE_PRINTF_FORMAT, 1, 2)));

// A real for machine-readable output (JSON, CSV): at most 15 significant
// digits, the most that every decimal keeps through a double, so a value the
// gimbal sends in hundredths prints as hundredths (147.95, not
// 147.95000000000002), and trailing zeros dropped.
std::string MachineReal(double value);
