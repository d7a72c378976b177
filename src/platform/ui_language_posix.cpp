#include "platform/ui_language_platform.h"

// POSIX systems keep no language per thread; the program's own texts are
// all the language there is.
void ApplyThreadUiLanguage(uint16_t) {}
