#pragma once

#include <ctime>
#include <memory>

// The "C" conventions for numbers in text, whatever the process locale: the
// stored files and the window's texts always use a full stop.

// Switches the calling thread to the "C" locale for the life of the object,
// for the printf family.
class ClassicLocaleScope {
public:
    ClassicLocaleScope();
    ~ClassicLocaleScope();
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

private:
    struct Saved; // what the thread had before, as its system keeps it
    std::unique_ptr<Saved> m_saved;
};

// The local calendar time of `seconds` (thread-safe localtime).
std::tm LocalCalendarTime(std::time_t seconds);
