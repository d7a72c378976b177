#pragma once

// Whether this process has somewhere to show windows. A POSIX desktop names
// its display in the environment (DISPLAY for X11, WAYLAND_DISPLAY); a
// Windows process always draws on its session's desktop, and no such
// variable is set there.
bool HasWindowDisplay();
