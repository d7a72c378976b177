#include "platform/ui_language_platform.h"

#include "platform/windows_api_win.h"

void ApplyThreadUiLanguage(uint16_t language)
{
    SetThreadUILanguage(language);
}
