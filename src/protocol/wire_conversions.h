#pragma once

#include <cstdint>

// Real-to-integer steps of the outbound parameter pages. The caller keeps the
// low 8 or 16 bits of the result. A value that does not fit a 32-bit integer
// (NaN included) gives 0 rather than an undefined conversion.

// Truncates toward zero: 3.9 gives 3, -1.0 gives -1.
int32_t TruncToInt32(double value);

// Multiplies by 10 and rounds halves away from zero: 1.25 gives 13.
int32_t RoundTenthsToInt32(double value);
