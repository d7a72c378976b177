#include "platform/window_display.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Under Wine the Linux desktop's DISPLAY reaches the Windows environment;
// on Windows no such variable exists, and windows show all the same.
TEST(WindowDisplay, WindowsNeedsNoDisplayVariable)
{
    _putenv_s("DISPLAY", "");
    _putenv_s("WAYLAND_DISPLAY", "");
    EXPECT_TRUE(HasWindowDisplay());
}

} // namespace
