#pragma once

// Kept apart from <termios.h>: setting an arbitrary baud rate needs the
// kernel's own termios2 definitions, which clash with the C library's.

using IoctlCall = int (*)(int fd, unsigned long request, void* argument);

// Sets input and output speed of the tty `fd` to `baud` through `ioctl_call`
// and reads it back. False when the driver refuses the rate or settles on one
// further from it than a serial line tolerates.
bool ApplyBaudRate(int fd, int baud, IoctlCall ioctl_call);
