#pragma once

// Runs the simulated controller `orvane-sim` as a child process and hands
// out the path of the port it published. Header-only so that the link
// benchmark can use it as well as the end-to-end tests.

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// The simulator named by ORVANE_SIM, else `fallback`.
inline std::string SimProgramPath(const std::string& fallback)
{
    const char* from_environment = std::getenv("ORVANE_SIM");
    return from_environment != nullptr && *from_environment != '\0' ? from_environment : fallback;
}

// A fresh folder under /tmp, removed with the object.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = "/tmp/orvane-e2e-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// One running simulator with its own published name and state file in
// `folder`. Stopped with SIGTERM when the object goes, unless killed before.
class SimProcess {
public:
    SimProcess(const std::string& program, const std::string& folder, std::vector<std::string> options)
        : m_name(UniqueName()), m_state_file(folder + "/" + m_name + ".rkdp")
    {
        options.insert(options.end(), {"--name", m_name, "--state", m_state_file});
        Spawn(program, options);
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
    const std::string& StateFile() const { return m_state_file; }

    // Ends the simulator with `signal` and waits for it. After SIGKILL its
    // published link is left behind, so it is removed here.
    void Kill(int signal)
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, signal);
        while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        if (m_stdout >= 0)
            close(m_stdout);
        m_stdout = -1;
        if (signal == SIGKILL && !m_port.empty())
            unlink(m_port.c_str());
    }

private:
    static std::string UniqueName()
    {
        static std::atomic<int> counter{0};
        return "e2e-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    }

    void Spawn(const std::string& program, const std::vector<std::string>& options)
    {
        int pipe_ends[2];
        if (pipe(pipe_ends) != 0)
            throw std::runtime_error("cannot create a pipe");
        std::vector<std::string> all{program};
        all.insert(all.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
        posix_spawn_file_actions_addclose(&actions, pipe_ends[1]);
        const int error = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipe_ends[1]);
        m_stdout = pipe_ends[0];
        if (error != 0) {
            m_pid = -1;
            throw std::runtime_error("cannot start " + program);
        }
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
            const ssize_t count = read(m_stdout, &c, 1);
            if (count <= 0)
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
