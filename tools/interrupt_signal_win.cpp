#include "interrupt_signal.h"

#include "platform/windows_api_win.h"

#include <atomic>

namespace {

std::atomic<bool> g_interrupt_requested{false};

// Runs on a thread of its own. Ctrl-C and Ctrl-Break only raise the flag.
// Closing the console, logging off or shutting down ends the process once
// the handler returns, so the handler does not return: the command ends
// cleanly and exits, or the system ends it after its grace time.
BOOL WINAPI OnConsoleControl(DWORD event)
{
    g_interrupt_requested.store(true);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    Sleep(INFINITE);
    return TRUE;
}

} // namespace

void InstallInterruptHandler()
{
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptRequested()
{
    return g_interrupt_requested.load();
}
