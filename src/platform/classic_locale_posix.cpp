#include "platform/classic_locale.h"

#include <locale.h>

namespace {

// Created once and never freed: every thread may be using it.
locale_t ClassicLocale()
{
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

} // namespace

struct ClassicLocaleScope::Saved {
    locale_t m_previous;
};

ClassicLocaleScope::ClassicLocaleScope() : m_saved(new Saved{uselocale(ClassicLocale())}) {}

ClassicLocaleScope::~ClassicLocaleScope()
{
    uselocale(m_saved->m_previous);
}

std::tm LocalCalendarTime(std::time_t seconds)
{
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}
