#include "sim/pc_line_rate.h"

// <asm/termbits.h> clashes with <termios.h>: this file keeps to the former.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

std::optional<uint32_t> PcLineRate(int master_fd)
{
    // On the master side the kernel answers with the slave's settings.
    termios2 settings{};
    if (ioctl(master_fd, TCGETS2, &settings) != 0)
        return std::nullopt;
    return settings.c_ospeed;
}

bool RatesMatch(uint32_t a, uint32_t b)
{
    const uint64_t difference = a > b ? a - b : b - a;
    return difference * 100 <= uint64_t{b} * 3;
}
