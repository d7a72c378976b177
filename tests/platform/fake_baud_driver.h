#pragma once

#include "platform/serial_baud_posix.h"

// A serial driver that takes any baud rate but settles on the one set here,
// for tests of the read-back; `real` does the actual work. Kept apart from
// <termios.h> like the code it stands in for.
void SetSettledBaudRate(unsigned baud, IoctlCall real);
int RateSettlingIoctl(int fd, unsigned long request, void* argument);
