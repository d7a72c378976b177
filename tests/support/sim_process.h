#pragma once

// Runs the simulated controller `orvane-sim` as a child process and hands
// out the path of the port it published. Header-only so that the link
// benchmark can use it as well as the tests.

#include "support/child_process.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#ifndef ORVANE_SIM_PATH
#error "ORVANE_SIM_PATH must name the simulator built with this program"
#endif

// The simulator named by ORVANE_SIM, else the one built with this program.
inline std::string SimProgramPath()
{
    const char* from_environment = std::getenv("ORVANE_SIM");
    return from_environment != nullptr && *from_environment != '\0' ? from_environment : ORVANE_SIM_PATH;
}

// A name no other simulator of this process or of another test has.
inline std::string UniqueSimName()
{
    static std::atomic<int> counter{0};
    return "test-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

// One running simulator. `folder` is its runtime folder, so its port is
// published there and seen by no other test. Under `name` it keeps its
// state in `folder`/<name>.rkdp; an empty name leaves the simulator its own
// name (from its process id) and its default state file. Ended with SIGTERM
// when the object goes, unless ended before.
class SimProcess {
public:
    SimProcess(const std::filesystem::path& folder, std::vector<std::string> options,
               std::string name = UniqueSimName())
        : m_name(std::move(name))
    {
        if (!m_name.empty()) {
            m_state_file = (folder / (m_name + ".rkdp")).string();
            options.insert(options.end(), {"--name", m_name, "--state", m_state_file});
        }
        const std::string program = SimProgramPath();
        Spawn(program, options, folder.string());
        m_port = ReadFirstLine(std::chrono::seconds(10));
        if (m_port.empty()) {
            Kill(SIGKILL);
            throw std::runtime_error("the simulator did not publish a port: " + program);
        }
    }
    ~SimProcess() { Kill(SIGTERM); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The published path, a link to the simulator's pseudo-terminal.
    const std::string& Port() const { return m_port; }
    // The name the port is published under; empty when the simulator chose.
    const std::string& Name() const { return m_name; }
    const std::string& StateFile() const { return m_state_file; }
    pid_t Pid() const { return m_pid; }

    // Ends the simulator with `signal` and returns its exit code (128 plus
    // the signal's number when the signal ended it), or -1 when it was no
    // longer running. One that does not end within a few seconds is killed.
    // A killed simulator leaves its published link behind, so it is removed
    // here.
    int Kill(int signal)
    {
        if (m_pid <= 0)
            return -1;
        kill(m_pid, signal);
        const int status = ReapChild(m_pid, std::chrono::seconds(5));
        m_pid = -1;
        close(m_stdout);
        m_stdout = -1;
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && !m_port.empty())
            unlink(m_port.c_str());
        return ExitCode(status);
    }

private:
    void Spawn(const std::string& program, const std::vector<std::string>& options, const std::string& folder)
    {
        int pipe_ends[2];
        if (pipe2(pipe_ends, O_CLOEXEC) != 0)
            throw std::runtime_error("cannot create a pipe");
        ChildStreams streams;
        streams.ToDescriptor(STDOUT_FILENO, pipe_ends[1]);
        try {
            m_pid = SpawnChild(program, options, folder, streams);
        } catch (...) {
            close(pipe_ends[0]);
            close(pipe_ends[1]);
            throw;
        }
        close(pipe_ends[1]);
        m_stdout = pipe_ends[0];
    }

    // The first line the simulator prints, or empty when it ended or stayed
    // silent until `limit`.
    std::string ReadFirstLine(std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        std::string line;
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd readable{m_stdout, POLLIN, 0};
            if (poll(&readable, 1, 50) <= 0)
                continue;
            char c = 0;
            if (read(m_stdout, &c, 1) != 1)
                return {};
            if (c == '\n')
                return line;
            line += c;
        }
        return {};
    }

    std::string m_name;
    std::string m_state_file;
    std::string m_port;
    pid_t m_pid = -1;
    int m_stdout = -1; // kept open so the simulator never writes to a closed pipe
};
