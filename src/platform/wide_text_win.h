#pragma once

#include <string>
#include <string_view>

// Text is UTF-8 inside the program and UTF-16 at every Windows call.
// Malformed input becomes U+FFFD rather than being cut short.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The system's own sentence for a GetLastError() code, without the trailing
// line break; the number itself when the system has no text for it.
std::string SystemErrorText(unsigned long error);
