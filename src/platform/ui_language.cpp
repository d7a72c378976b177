#include "platform/ui_language.h"

#include <atomic>

namespace {

std::atomic<uint16_t> g_ui_language{kLanguageEnglish};

} // namespace

void SetUiLanguage(uint16_t language)
{
    g_ui_language.store(language, std::memory_order_relaxed);
}

uint16_t GetUiLanguage()
{
    return g_ui_language.load(std::memory_order_relaxed);
}
