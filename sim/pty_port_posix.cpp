#include "sim/pty_port.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

bool MakeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | CRTSCTS | HUPCL);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool SetFlags(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 && fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

} // namespace

std::optional<PtyPort> PtyPort::Open(std::string& error)
{
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return std::nullopt;
    }
    char name[128] = {};
    if (ttyname_r(slave, name, sizeof name) != 0 || !MakeRaw(slave) || !SetFlags(master) ||
        fcntl(slave, F_SETFD, FD_CLOEXEC) != 0) {
        error = std::string("cannot set up the pseudo-terminal: ") + std::strerror(errno);
        close(master);
        close(slave);
        return std::nullopt;
    }
    return PtyPort(master, slave, name);
}

PtyPort::PtyPort(int master, int slave, std::string slave_path)
    : m_master(master), m_slave(slave), m_slave_path(std::move(slave_path))
{
}

PtyPort::PtyPort(PtyPort&& other) noexcept
    : m_master(other.m_master), m_slave(other.m_slave), m_slave_path(std::move(other.m_slave_path))
{
    other.m_master = -1;
    other.m_slave = -1;
}

PtyPort::~PtyPort()
{
    if (m_slave >= 0)
        close(m_slave);
    if (m_master >= 0)
        close(m_master);
}
