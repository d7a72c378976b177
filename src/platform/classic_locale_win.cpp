#include "platform/classic_locale.h"

#include <clocale>
#include <locale.h>
#include <string>

// The C runtime has no per-thread locale object to switch to; a thread may
// instead keep a locale of its own, set with setlocale while it does.
struct ClassicLocaleScope::Saved {
    int m_thread_mode;
    std::string m_numeric;
};

ClassicLocaleScope::ClassicLocaleScope()
    : m_saved(new Saved{_configthreadlocale(_ENABLE_PER_THREAD_LOCALE), std::setlocale(LC_NUMERIC, nullptr)})
{
    std::setlocale(LC_NUMERIC, "C");
}

ClassicLocaleScope::~ClassicLocaleScope()
{
    std::setlocale(LC_NUMERIC, m_saved->m_numeric.c_str());
    _configthreadlocale(m_saved->m_thread_mode);
}

std::tm LocalCalendarTime(std::time_t seconds)
{
    std::tm local{};
    localtime_s(&local, &seconds);
    return local;
}
