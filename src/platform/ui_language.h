#pragma once

#include <cstdint>

// The user-interface language of the process, fixed at start-up from the
// settings file. Every message lookup and every language-dependent caption
// asks for it at the moment it is shown. Setting it also makes it the calling
// thread's language for what the system itself shows (Windows).
inline constexpr uint16_t kLanguageChinese = 2052;
inline constexpr uint16_t kLanguageEnglish = 1033;

void SetUiLanguage(uint16_t language);

// English until start-up sets another language.
uint16_t GetUiLanguage();
