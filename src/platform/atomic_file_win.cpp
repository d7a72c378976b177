#include "platform/atomic_file.h"

#include "platform/file_handle_win.h"
#include "platform/wide_text_win.h"

#include <atomic>
#include <string>

namespace {

std::wstring TemporaryNameFor(const std::wstring& target)
{
    static std::atomic<unsigned> counter{0};
    return target + L".tmp." + std::to_wstring(::GetCurrentProcessId()) + L"." + std::to_wstring(counter++);
}

// A new file beside the target, written through to the disk.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryNameFor(target);
        const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// ReplaceFileW keeps the old file's attributes, security and creation time;
// it cannot replace what does not exist yet, nor work on every file system,
// where a plain move over the target is the fallback.
bool MoveIntoPlace(const std::wstring& temporary, const std::wstring& target, bool exists)
{
    if (exists && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                 nullptr, nullptr)) {
        return true;
    }
    return ::MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

} // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t max_size, std::string& contents)
{
    contents.clear();
    const FileHandle file(::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = ::GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? FileReadResult::Missing
                                                                                : FileReadResult::Failed;
    }
    // Pipes and devices are not files to read a setting or parameter set from.
    LARGE_INTEGER size{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.Get(), &size) ||
        static_cast<unsigned long long>(size.QuadPart) > max_size) {
        return FileReadResult::Failed;
    }
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) ||
            contents.size() + got > max_size) {
            contents.clear();
            return FileReadResult::Failed;
        }
        if (got == 0) {
            return FileReadResult::Read;
        }
        contents.append(buffer, got);
    }
}

bool ReplaceFileAtomically(const std::string& path, std::string_view contents)
{
    const std::wstring target = WideFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    std::wstring temporary;
    FileHandle file(CreateTemporary(target, temporary));
    if (!file.IsOpen()) {
        return false;
    }
    const bool written = WriteAll(file.Get(), contents) && ::FlushFileBuffers(file.Get());
    if (!file.Close() || !written || !MoveIntoPlace(temporary, target, exists)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
