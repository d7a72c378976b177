#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers as text in the C conventions the stored files use, with the full
// stop as decimal separator whatever the process locale.

// Like atoi: leading white space, an optional sign, then decimal digits up to
// the first other character; no digits give 0; values beyond the 32-bit range
// give the nearest limit.
int32_t ParseIntLikeAtoi(std::string_view text);

// Like C99's atof in the "C" locale, alike on every system: the longest
// prefix that forms a decimal, exponent, hexadecimal ("0x1A", "0x1.8p3"),
// infinity or NaN number after leading white space and one sign, correctly
// rounded; no number gives 0.0, a number beyond the range of a double gives
// infinity (too large) or 0.0 (too small), with its sign.
double ParseDoubleLikeAtof(std::string_view text);

// Like wcstoul with base 16 and a 32-bit unsigned long: leading white space,
// an optional sign, an optional "0x"/"0X", then hexadecimal digits; a value
// above 0xFFFFFFFF gives 0xFFFFFFFF, and a minus sign negates modulo 2^32.
uint32_t ParseHexLikeWcstoul(std::string_view text);

std::string FormatInt(int32_t value);    // "%d"
std::string FormatG(double value);       // "%g": six significant digits, shorter notation
std::string FormatFixed1(double value);  // "%.1f"
std::string FormatHex32(uint32_t value); // "0x%08X"
