#include "platform/serial_baud_posix.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cstdlib>

namespace {

// Both ends of an asynchronous line sample bits by their own clocks; a
// mismatch beyond about 3 percent corrupts characters.
bool IsCloseEnough(unsigned actual, int wanted)
{
    const long difference = std::labs(static_cast<long>(actual) - wanted);
    return difference * 100 <= static_cast<long>(wanted) * 3;
}

} // namespace

bool ApplyBaudRate(int fd, int baud, IoctlCall ioctl_call)
{
    if (baud <= 0)
        return false;
    termios2 settings{};
    if (ioctl_call(fd, TCGETS2, &settings) != 0)
        return false;
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = static_cast<speed_t>(baud);
    settings.c_ospeed = static_cast<speed_t>(baud);
    if (ioctl_call(fd, TCSETS2, &settings) != 0)
        return false;
    termios2 taken{};
    if (ioctl_call(fd, TCGETS2, &taken) != 0)
        return false;
    return IsCloseEnough(taken.c_ospeed, baud) && IsCloseEnough(taken.c_ispeed, baud);
}
