#include "platform/thread_priority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

namespace {

// Above ordinary real-time helpers, well below the kernel's own threads.
constexpr int kLinkThreadPriority = 10;

} // namespace

// Real-time scheduling is a property of threads here; the link threads ask
// for it themselves.
void RaiseProcessPriority() {}

void RaiseCurrentThreadPriority()
{
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const sched_param parameter{kLinkThreadPriority};
    // EPERM without the right to real-time scheduling: normal priority is fine.
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameter);
}

void NameThread(std::thread& thread, const char* name)
{
    // The kernel keeps 15 characters and a terminator; longer names are cut.
    char kept[16] = {};
    for (size_t i = 0; i + 1 < sizeof kept && name[i] != '\0'; ++i)
        kept[i] = name[i];
    pthread_setname_np(thread.native_handle(), kept);
}
