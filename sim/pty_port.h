#pragma once

#include <optional>
#include <string>

// A pseudo-terminal with a raw 8-N-1 slave. The simulator writes and reads
// the master; it also keeps a slave descriptor of its own open, so that the
// PC closing the port never hangs the master up and it can reopen any time.
class PtyPort {
public:
    static std::optional<PtyPort> Open(std::string& error);

    PtyPort(PtyPort&& other) noexcept;
    PtyPort& operator=(PtyPort&&) = delete;
    ~PtyPort();

    int Master() const { return m_master; }
    const std::string& SlavePath() const { return m_slave_path; }

private:
    PtyPort(int master, int slave, std::string slave_path);

    int m_master = -1;
    int m_slave = -1;
    std::string m_slave_path;
};
