/*
 * Preloaded into Wine by the Windows serial tests. A pseudo-terminal has no
 * modem lines and refuses TIOCMGET, TIOCMSET, TIOCMBIS and TIOCMBIC (ENOTTY);
 * Wine's WaitCommEvent asks for them on every pass and gives up when refused.
 * Here a pty answers those requests like a port with a peer attached: the
 * lines the program sets (DTR, RTS) are remembered, and DSR, CTS and CD are
 * on. A pty whose far end has gone (hung up) fails them with EIO, as an
 * unplugged adapter does: that failure is passed on, so that Wine ends a
 * pending wait as Windows does. Every other request, and every request on a
 * real device, goes to the C library unchanged.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <stddef.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

/* Unix98 pty slaves use majors 136 to 143; the master side is /dev/ptmx. */
enum { kPtySlaveMajorFirst = 136, kPtySlaveMajorLast = 143, kPtmxMajor = 5, kPtmxMinor = 2 };

static const int kPeerLines = TIOCM_DSR | TIOCM_CTS | TIOCM_CAR;

/* The lines the program drives. One set for the process is enough: a test
 * opens one port at a time. */
static int g_driven_lines = TIOCM_DTR | TIOCM_RTS;

typedef int (*IoctlFunction)(int, unsigned long, ...);

static int IsPty(int fd)
{
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode))
        return 0;
    const unsigned major_number = major(info.st_rdev);
    return (major_number >= kPtySlaveMajorFirst && major_number <= kPtySlaveMajorLast) ||
           (major_number == kPtmxMajor && minor(info.st_rdev) == kPtmxMinor);
}

static int IsModemLineRequest(unsigned long request)
{
    return request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
}

static int AnswerModemLines(unsigned long request, int* lines)
{
    const int driven = TIOCM_DTR | TIOCM_RTS;
    switch (request) {
    case TIOCMGET:
        *lines = g_driven_lines | kPeerLines;
        return 0;
    case TIOCMSET:
        g_driven_lines = *lines & driven;
        return 0;
    case TIOCMBIS:
        g_driven_lines |= *lines & driven;
        return 0;
    default: /* TIOCMBIC */
        g_driven_lines &= ~(*lines & driven);
        return 0;
    }
}

int ioctl(int fd, unsigned long request, ...)
{
    static IoctlFunction real_ioctl;
    if (real_ioctl == NULL)
        real_ioctl = (IoctlFunction)dlsym(RTLD_NEXT, "ioctl");
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    const int saved_errno = errno;
    const int result = real_ioctl(fd, request, argument);
    const int error = errno;
    if (result == 0 || error != ENOTTY || !IsModemLineRequest(request) || argument == NULL || !IsPty(fd)) {
        errno = error;
        return result;
    }
    errno = saved_errno;
    return AnswerModemLines(request, (int*)argument);
}
