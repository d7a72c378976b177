#pragma once

// Starts the project's programs as child processes for tests and
// benchmarks, each with a runtime folder of its own, and ends them again.

#include "support/poll_until.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// Where a child's standard streams go: posix_spawn file actions, released
// with the object.
class ChildStreams {
public:
    ChildStreams() { posix_spawn_file_actions_init(&m_actions); }
    ~ChildStreams() { posix_spawn_file_actions_destroy(&m_actions); }
    ChildStreams(const ChildStreams&) = delete;
    ChildStreams& operator=(const ChildStreams&) = delete;

    // The child's `stream` is written to the file at `path`, made afresh.
    void ToFile(int stream, const std::string& path)
    {
        posix_spawn_file_actions_addopen(&m_actions, stream, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
    }
    // The child's `stream` is our descriptor `fd`.
    void ToDescriptor(int stream, int fd) { posix_spawn_file_actions_adddup2(&m_actions, fd, stream); }

    const posix_spawn_file_actions_t* Actions() const { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

// Starts `program` with `arguments` and `streams`, in this process's
// environment but with XDG_RUNTIME_DIR set to `runtime_folder`: ports the
// child publishes or looks up by name stay apart from everyone else's.
// Returns the child's id.
inline pid_t SpawnChild(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& runtime_folder, const ChildStreams& streams)
{
    constexpr std::string_view kRuntimeKey = "XDG_RUNTIME_DIR=";
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!std::string_view(*entry).starts_with(kRuntimeKey))
            environment.emplace_back(*entry);
    }
    environment.push_back(std::string(kRuntimeKey) + runtime_folder);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());

    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (std::string& text : strings)
            result.push_back(text.data());
        result.push_back(nullptr);
        return result;
    };
    std::vector<char*> argv = pointers(words);
    std::vector<char*> envp = pointers(environment);
    pid_t pid = -1;
    const int error =
        posix_spawn(&pid, program.c_str(), streams.Actions(), nullptr, argv.data(), envp.data());
    if (error != 0)
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
    return pid;
}

// Waits for the child `pid` to end, killing it if it still runs after
// `limit`, and returns its wait status.
inline int ReapChild(pid_t pid, std::chrono::milliseconds limit)
{
    int status = 0;
    const bool ended = PollUntil(
        [&] {
            const pid_t reaped = waitpid(pid, &status, WNOHANG);
            return reaped == pid || (reaped < 0 && errno != EINTR);
        },
        limit);
    if (ended)
        return status;
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A wait status as a shell reports it: the exit code, or 128 plus the
// number of the signal that ended the child.
inline int ExitCode(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
