#include "platform/output_file.h"

#include "platform/atomic_file.h"
#include "platform/file_handle_win.h"
#include "platform/wide_text_win.h"

#include <vector>

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

OutputTarget Refused(const std::string& path, const std::string& what)
{
    return {OutputKind::kRefused, path, "'" + path + "' is " + what + ", not a file; nothing was written"};
}

std::string CannotWrite(const std::string& path)
{
    return "cannot write '" + path + "': " + SystemErrorText(::GetLastError());
}

// Where a symbolic link or junction finally leads, so that the file it names
// is replaced rather than the link; `path` itself for anything else.
std::string FinalPath(HANDLE file, const std::string& path, DWORD attributes)
{
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    const DWORD length = ::GetFinalPathNameByHandleW(file, nullptr, 0, FILE_NAME_NORMALIZED);
    if (length == 0)
        return path;
    std::vector<wchar_t> buffer(length);
    const DWORD written = ::GetFinalPathNameByHandleW(file, buffer.data(), length, FILE_NAME_NORMALIZED);
    return written == 0 || written >= length ? path : Utf8FromWide(std::wstring_view(buffer.data(), written));
}

// What a path names when it cannot be opened even without access rights:
// only its attributes tell, and a later write reports any refusal.
OutputTarget FromAttributes(const std::string& path, DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {OutputKind::kNew, path, {}};
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Refused(path, "a folder");
    return {OutputKind::kRegular, path, {}};
}

// A device (NUL, CON, a COM port) or a pipe takes the bytes in place.
std::string WriteInPlace(const std::string& path, std::string_view contents)
{
    FileHandle file(::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen() || !WriteAll(file.Get(), contents))
        return CannotWrite(path);
    return file.Close() ? std::string() : CannotWrite(path);
}

} // namespace

// Opened with no access right asked, so a file another program holds still
// answers; backup semantics open folders too, so they can be told apart.
OutputTarget InspectOutput(const std::string& path)
{
    const std::wstring wide = WideFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    const FileHandle file(::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {OutputKind::kNew, path, {}};
        return FromAttributes(path, attributes);
    }
    switch (::GetFileType(file.Get())) {
    case FILE_TYPE_CHAR:
    case FILE_TYPE_PIPE:
        return {OutputKind::kStream, path, {}};
    case FILE_TYPE_DISK:
        break;
    default:
        return Refused(path, "a special file");
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileInformationByHandle(file.Get(), &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Refused(path, "a folder");
    return {OutputKind::kRegular, FinalPath(file.Get(), path, attributes), {}};
}

std::string WriteOutputFile(const std::string& path, std::string_view contents)
{
    const OutputTarget target = InspectOutput(path);
    switch (target.kind) {
    case OutputKind::kRefused:
        return target.error;
    case OutputKind::kStream:
        return WriteInPlace(target.path, contents);
    case OutputKind::kNew:
    case OutputKind::kRegular:
        break;
    }
    return ReplaceFileAtomically(target.path, contents) ? std::string() : CannotWrite(path);
}
