#include "interrupt_signal.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> g_interrupt_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void OnInterruptSignal(int)
{
    g_interrupt_requested.store(true);
}

} // namespace

void InstallInterruptHandler()
{
    struct sigaction action {};
    action.sa_handler = OnInterruptSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool InterruptRequested()
{
    return g_interrupt_requested.load();
}
