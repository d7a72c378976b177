#pragma once

#include <thread>

// Gives the whole process the highest priority class the system grants it
// (real-time on Windows when the user may, else what the system allows);
// POSIX systems have no such class and keep the process as it is.
void RaiseProcessPriority();

// Gives the calling thread the timing a periodic link thread needs: real-time
// scheduling where the system permits it (otherwise the thread stays normal,
// silently) and the smallest timer slack, so wake-ups come on time.
void RaiseCurrentThreadPriority();

// Names a started thread (at most 15 characters are kept), so that tools
// such as top, gdb and the tests can tell the link's threads apart. Named by
// its starter, the thread carries its name from the moment it exists.
void NameThread(std::thread& thread, const char* name);
