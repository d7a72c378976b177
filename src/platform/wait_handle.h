#pragma once

#ifdef _WIN32
// What the platform waits on: an event or other waitable HANDLE on Windows.
using WaitHandle = void*;
inline constexpr WaitHandle kNoWaitHandle = nullptr;
#else
// What the platform waits on: a file descriptor on POSIX systems.
using WaitHandle = int;
inline constexpr WaitHandle kNoWaitHandle = -1;
#endif
