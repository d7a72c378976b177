#pragma once

#include <cstddef>
#include <string_view>

// Character counting on UTF-8 text. A byte that does not start a well-formed
// sequence counts as one character of its own, so junk never splits or
// swallows the text that follows it.

// The number of characters in `text`.
size_t Utf8Length(std::string_view text);

// The longest prefix of `text` holding at most `max_chars` characters; a
// multi-byte character is never cut in the middle.
std::string_view Utf8Prefix(std::string_view text, size_t max_chars);
