#include "platform/atomic_file.h"

#include "platform/output_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor on every way out of a scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Get() const { return m_fd; }
    // Closes now and reports whether the close (which can report a failed write) succeeded.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The file a write should replace: the target of a symbolic link, so that
// the link itself survives the rename.
std::string ResolveTarget(const std::string& path)
{
    struct stat link_status {};
    if (::lstat(path.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

void KeepPermissions(int fd, const struct stat& original)
{
    // Only a privileged process may give the copy back to another owner;
    // otherwise it stays ours, and then without set-id bits.
    const bool owner_kept = ::fchown(fd, original.st_uid, original.st_gid) == 0;
    ::fchmod(fd, original.st_mode & (owner_kept ? 07777 : 0777));
}

void SyncFolder(const std::string& folder)
{
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) {
        ::fsync(fd.Get());
    }
}

bool WriteTemporary(FileDescriptor& fd, std::string_view contents, const struct stat* original)
{
    if (original != nullptr) {
        KeepPermissions(fd.Get(), *original);
    }
    const bool written = WriteAll(fd.Get(), contents) && ::fsync(fd.Get()) == 0;
    return fd.Close() && written;
}

} // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t max_size, std::string& contents)
{
    contents.clear();
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? FileReadResult::Missing : FileReadResult::Failed;
    }
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<unsigned long long>(status.st_size) > max_size) {
        return FileReadResult::Failed;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || contents.size() + static_cast<size_t>(got) > max_size) {
            contents.clear();
            return FileReadResult::Failed;
        }
        if (got == 0) {
            return FileReadResult::Read;
        }
        contents.append(buffer, static_cast<size_t>(got));
    }
}

bool ReplaceFileAtomically(const std::string& path, std::string_view contents)
{
    const std::string target = ResolveTarget(path);
    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && !S_ISREG(original.st_mode)) {
        return false;
    }
    std::string temporary;
    FileDescriptor fd(CreateFileBeside(target, temporary));
    if (fd.Get() < 0) {
        return false;
    }
    if (!WriteTemporary(fd, contents, exists ? &original : nullptr) ||
        ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}
