#pragma once

// What the platform waits on: a file descriptor on POSIX systems.
using WaitHandle = int;
inline constexpr WaitHandle kNoWaitHandle = -1;
