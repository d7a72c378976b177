#include "platform/ui_language.h"

#include "platform/ui_language_platform.h"

#include <atomic>

namespace {

std::atomic<uint16_t> g_ui_language{kLanguageEnglish};

} // namespace

void SetUiLanguage(uint16_t language)
{
    g_ui_language.store(language, std::memory_order_relaxed);
    ApplyThreadUiLanguage(language);
}

uint16_t GetUiLanguage()
{
    return g_ui_language.load(std::memory_order_relaxed);
}
