#pragma once

#include <string>
#include <string_view>

// The running program as the system reports it, in UTF-8, and its relaunch.

// The characters that end a folder in a path: '/' on POSIX systems, both
// '\' and '/' on Windows.
#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "\\/";
#else
inline constexpr std::string_view kPathSeparators = "/";
#endif

// The process's working directory, or "" when it cannot be told (for example
// when it has been removed).
std::string CurrentDirectory();

// Full path of the running program, or "" when it cannot be told.
std::string ExecutablePath();

// Starts a new, detached instance of the program at `executable_path`, with no
// arguments, in the current working directory. False when it could not be
// started.
bool LaunchProgram(const std::string& executable_path);
