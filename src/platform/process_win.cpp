#include "platform/process.h"

#include "platform/wide_text_win.h"
#include "platform/windows_api_win.h"

#include <shellapi.h>

namespace {

// ShellExecute's documented boundary: larger values are instance handles of
// a started program, smaller ones error codes.
constexpr INT_PTR kShellExecuteFailureLimit = 32;

// Paths beyond MAX_PATH exist (long path support); the buffer grows until
// the whole path fits.
constexpr DWORD kLongestPath = 32768;

} // namespace

std::string CurrentDirectory()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring directory(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, directory.data());
    if (length == 0 || length >= size)
        return {};
    directory.resize(length);
    return Utf8FromWide(directory);
}

std::string ExecutablePath()
{
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            path.resize(length);
            return Utf8FromWide(path);
        }
    }
    return {};
}

// Through the shell, as a user's double click would: a program that asks
// for administrator rights in its manifest is started elevated, which a
// plain CreateProcess refuses. No working directory is given, so the new
// instance starts in this one's.
bool LaunchProgram(const std::string& executable_path)
{
    if (executable_path.empty())
        return false;
    const std::wstring program = WideFromUtf8(executable_path);
    const HINSTANCE result = ShellExecuteW(nullptr, L"", program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kShellExecuteFailureLimit;
}
