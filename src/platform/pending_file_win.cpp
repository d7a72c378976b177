#include "platform/pending_file.h"

#include "platform/wide_text_win.h"
#include "platform/windows_api_win.h"

#include <atomic>
#include <filesystem>

namespace {

std::filesystem::path NativePath(const std::string& path)
{
    return std::filesystem::path(WideFromUtf8(path));
}

} // namespace

std::string CreatePendingFile(const std::string& path, std::ofstream& stream, std::string& error)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary =
            path + "." + std::to_string(::GetCurrentProcessId()) + "." + std::to_string(counter++);
        // CREATE_NEW: an existing file is never taken over.
        const HANDLE file = ::CreateFileW(WideFromUtf8(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            stream.open(NativePath(temporary), std::ios::out | std::ios::trunc | std::ios::binary);
            return temporary;
        }
        const DWORD cause = ::GetLastError();
        if (cause != ERROR_FILE_EXISTS) {
            error = SystemErrorText(cause);
            return {};
        }
    }
    error = SystemErrorText(ERROR_FILE_EXISTS);
    return {};
}

// Windows renames no file while a stream holds it open: the stream lets go,
// the file moves (never over an existing one unless `replace`), and the
// stream opens again at the end of the file under its new name.
PublishResult PublishPendingFile(std::ofstream& stream, const std::string& temporary, const std::string& path,
                                 bool replace, std::string& error)
{
    stream.close();
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    const bool moved =
        ::MoveFileExW(WideFromUtf8(temporary).c_str(), WideFromUtf8(path).c_str(), flags) != FALSE;
    const DWORD cause = ::GetLastError();
    stream.open(NativePath(moved ? path : temporary), std::ios::out | std::ios::app | std::ios::binary);
    if (!moved) {
        error = SystemErrorText(cause);
        return (cause == ERROR_ALREADY_EXISTS || cause == ERROR_FILE_EXISTS) ? PublishResult::kNameTaken
                                                                             : PublishResult::kFailed;
    }
    return PublishResult::kPublished;
}

void RemovePendingFile(const std::string& temporary)
{
    ::DeleteFileW(WideFromUtf8(temporary).c_str());
}
