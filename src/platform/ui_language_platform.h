#pragma once

#include <cstdint>

// Hands the language to the system for what it draws itself on the calling
// thread (the buttons of its message boxes, its error texts).
void ApplyThreadUiLanguage(uint16_t language);
