#include "cli_process.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

std::string CliPath()
{
    return ORVANE_CLI_PATH;
}

std::string SimPath()
{
    const char* from_environment = std::getenv("ORVANE_SIM");
    return from_environment != nullptr ? from_environment : ORVANE_SIM_PATH;
}

pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& folder, const std::string& tag)
{
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const std::string out = folder + "/" + tag + ".out";
    const std::string err = folder + "/" + tag + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start " + program);
    }
    return pid;
}

ProcessResult FinishProcess(pid_t pid, const std::string& folder, const std::string& tag)
{
    int status = 0;
    waitpid(pid, &status, 0);
    ProcessResult result;
    result.m_exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.m_out = ReadWholeFile(folder + "/" + tag + ".out");
    result.m_err = ReadWholeFile(folder + "/" + tag + ".err");
    return result;
}

ProcessResult RunCliProcess(const std::vector<std::string>& arguments, const std::string& folder)
{
    return FinishProcess(StartProcess(CliPath(), arguments, folder, "cli"), folder, "cli");
}

namespace {

std::atomic<int> g_sim_counter{0};

} // namespace

SimulatedGimbal::SimulatedGimbal(const std::string& folder, std::vector<std::string> options)
    : m_folder(folder), m_name("clitest-" + std::to_string(getpid()) + "-" + std::to_string(++g_sim_counter)),
      m_state_file(folder + "/" + m_name + ".rkdp")
{
    options.insert(options.end(), {"--name", m_name, "--state", m_state_file, "--seed", "7"});
    m_pid = StartProcess(SimPath(), options, folder, m_name);
    // The simulator prints its port's path as the first line once it serves.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string out = ReadWholeFile(folder + "/" + m_name + ".out");
        if (const size_t end = out.find('\n'); end != std::string::npos) {
            m_port = out.substr(0, end);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    Kill();
    throw std::runtime_error("the simulated gimbal did not start");
}

SimulatedGimbal::~SimulatedGimbal()
{
    Kill();
}

void SimulatedGimbal::Kill()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}

std::string MakeTempFolder()
{
    std::string pattern = "/tmp/orvane-cli-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    return pattern;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
