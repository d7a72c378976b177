#include "platform/thread_priority.h"

#include "platform/wide_text_win.h"
#include "platform/windows_api_win.h"

#include <pthread.h>

// Windows grants the real-time class only to administrators and quietly
// gives others the high class; either way the program runs on.
void RaiseProcessPriority()
{
    SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
}

// Time-critical within the process's class; a refusal leaves the thread at
// normal priority, which still works.
void RaiseCurrentThreadPriority()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

// The name shows in debuggers and the system's thread lists. Looked up at
// run time: systems before Windows 10 1607 (and some Wine versions) have no
// thread names, and the thread then simply has none.
void NameThread(std::thread& thread, const char* name)
{
    using SetThreadDescriptionCall = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    static const auto set_description = reinterpret_cast<SetThreadDescriptionCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
    if (set_description == nullptr)
        return;
    // std::thread runs on winpthreads here; its handle is the system thread.
    set_description(pthread_gethandle(thread.native_handle()), WideFromUtf8(name).c_str());
}
