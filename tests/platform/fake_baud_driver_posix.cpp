#include "platform/fake_baud_driver.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <atomic>

namespace {

std::atomic<unsigned> g_settled_baud{0};
std::atomic<IoctlCall> g_real{nullptr};

} // namespace

void SetSettledBaudRate(unsigned baud, IoctlCall real)
{
    g_settled_baud = baud;
    g_real = real;
}

int RateSettlingIoctl(int fd, unsigned long request, void* argument)
{
    const int result = g_real.load()(fd, request, argument);
    if (request == TCGETS2 && result == 0) {
        auto* settings = static_cast<termios2*>(argument);
        settings->c_ispeed = settings->c_ospeed = g_settled_baud;
    }
    return result;
}
