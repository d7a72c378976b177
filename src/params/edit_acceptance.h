#pragma once

#include <cstdint>
#include <string_view>

// How an edit field checks its text. Values are stored as 32-bit integers;
// any value other than the four below behaves as None.
enum class EditKind : std::int32_t {
    None = 0,
    Integer = 1,
    Hex = 2,
    Decimal = 3,
};

// True when `text` is a number of the given kind whose value lies in
// [min, max]; a None field accepts any text.
bool IsAcceptable(EditKind kind, double min, double max, std::wstring_view text);

// Value of the longest prefix of `text` that reads as a decimal number
// (optional sign, digits, optional fraction, optional exponent), 0 when there
// is none. Independent of the C locale, so "0.5" reads the same everywhere.
double LeadingDecimalValue(std::wstring_view text);
