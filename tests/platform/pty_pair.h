#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

// A pseudo-terminal for tests: the code under test opens the slave by name,
// the test plays the far end on the master. The slave is made raw before any
// traffic, as a simulator would.
class PtyPair {
public:
    PtyPair()
    {
        char name[128] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            throw std::runtime_error("openpty failed");
        m_slave_name = name;
        termios settings{};
        tcgetattr(m_slave, &settings);
        cfmakeraw(&settings);
        tcsetattr(m_slave, TCSANOW, &settings);
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair()
    {
        CloseMaster();
        if (m_slave >= 0)
            close(m_slave);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlaveName() const { return m_slave_name; }
    int Master() const { return m_master; }

    void WriteToSlave(const std::vector<uint8_t>& bytes)
    {
        ASSERT_EQ(write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Writes all of `bytes`, waiting whenever the pseudo-terminal is full.
    void WriteAllToSlave(const std::vector<uint8_t>& bytes)
    {
        size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t got = write(m_master, bytes.data() + written, bytes.size() - written);
            if (got > 0) {
                written += static_cast<size_t>(got);
                continue;
            }
            ASSERT_EQ(errno, EAGAIN);
            pollfd entry{m_master, POLLOUT, 0};
            poll(&entry, 1, 100);
        }
    }

    // Reads from the master until `count` bytes came or `timeout` passed.
    std::vector<uint8_t> ReadFromSlave(size_t count,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::vector<uint8_t> bytes;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd entry{m_master, POLLIN, 0};
            if (poll(&entry, 1, 10) != 1)
                continue;
            uint8_t chunk[4096];
            const ssize_t got = read(m_master, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (got > 0)
                bytes.insert(bytes.end(), chunk, chunk + got);
        }
        return bytes;
    }

    // Everything the master can read right now.
    std::vector<uint8_t> DrainMaster() { return ReadFromSlave(1 << 20, std::chrono::milliseconds(50)); }

    // Waits until the master takes bytes again, for at most 10 ms.
    void WaitWritable() const
    {
        pollfd entry{m_master, POLLOUT, 0};
        poll(&entry, 1, 10);
    }

    // Hangs the slave up, as unplugging a USB adapter does.
    void CloseMaster()
    {
        if (m_master >= 0)
            close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slave_name;
};
