#include "platform/output_file.h"

#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As the kernel allows when it resolves a path.
constexpr int kMaxLinkDepth = 40;

std::string FolderPartOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The target of the link at `path`, relative targets taken from the link's
// folder; nullopt when the link cannot be read.
std::optional<std::string> LinkTarget(const std::string& path)
{
    char buffer[4096];
    const ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer)
        return std::nullopt;
    const std::string target(buffer, static_cast<size_t>(length));
    return target.front() == '/' ? target : FolderPartOf(path) + target;
}

OutputTarget Refused(const std::string& path, const std::string& what)
{
    return {OutputKind::kRefused, path, "'" + path + "' is " + what + ", not a file; nothing was written"};
}

OutputTarget Classify(const std::string& original, const std::string& path, mode_t mode)
{
    if (S_ISREG(mode))
        return {OutputKind::kRegular, path, {}};
    if (S_ISCHR(mode) || S_ISFIFO(mode))
        return {OutputKind::kStream, path, {}};
    if (S_ISDIR(mode))
        return Refused(original, "a folder");
    if (S_ISSOCK(mode))
        return Refused(original, "a socket");
    return Refused(original, "a block device or another special file");
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string CannotWrite(const std::string& path)
{
    return "cannot write '" + path + "': " + std::strerror(errno);
}

// A device or FIFO takes the bytes in place. A FIFO nobody reads is refused
// at once (ENXIO) rather than waited on: a window must not hang on it.
std::string WriteInPlace(const std::string& original, const std::string& path, std::string_view contents)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENXIO ? "cannot write '" + original + "': no process reads from it"
                              : CannotWrite(original);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    const bool blocking = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
    const bool written = blocking && WriteAll(fd, contents);
    const int saved = errno;
    const bool closed = ::close(fd) == 0;
    errno = saved;
    return written && closed ? std::string() : CannotWrite(original);
}

std::string NameBeside(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return FolderPartOf(target) + "." + name + ".tmp." + std::to_string(::getpid()) + "." +
           std::to_string(counter++);
}

} // namespace

OutputTarget InspectOutput(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0)
            return {OutputKind::kNew, current, {}}; // missing, or a folder we cannot look into
        if (!S_ISLNK(status.st_mode))
            return Classify(path, current, status.st_mode);
        const std::optional<std::string> target = LinkTarget(current);
        if (!target)
            return Refused(path, "an unreadable symbolic link");
        current = *target;
    }
    return Refused(path, "a loop of symbolic links");
}

std::string WriteOutputFile(const std::string& path, std::string_view contents)
{
    const OutputTarget target = InspectOutput(path);
    switch (target.kind) {
    case OutputKind::kRefused:
        return target.error;
    case OutputKind::kStream:
        return WriteInPlace(path, target.path, contents);
    case OutputKind::kNew:
    case OutputKind::kRegular:
        break;
    }
    return ReplaceFileAtomically(target.path, contents) ? std::string() : CannotWrite(path);
}

// Mode 0666 lets the umask decide, as for any new file the user makes.
int CreateFileBeside(const std::string& target, std::string& created)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = NameBeside(target);
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}
