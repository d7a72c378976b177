#include "platform/process.h"

#include <spawn.h>

#include <filesystem>
#include <system_error>

extern char** environ;

std::string CurrentDirectory()
{
    std::error_code error;
    std::filesystem::path directory = std::filesystem::current_path(error);
    return error ? std::string() : directory.string();
}

std::string ExecutablePath()
{
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.string();
}

bool LaunchProgram(const std::string& executable_path)
{
    if (executable_path.empty()) {
        return false;
    }
    // A session of its own, so the new instance outlives this one and is not
    // taken down with its terminal or process group.
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return false;
    }
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string argument0 = executable_path;
    char* arguments[] = {argument0.data(), nullptr};
    pid_t child = 0;
    const int result = posix_spawn(&child, executable_path.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    return result == 0;
}
