#include "sim/published_port.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPidPrefix = "orvane-sim-";

// The pid in a default link name, if the name is one.
std::optional<pid_t> PidOfName(const std::string& name)
{
    if (!name.starts_with(kPidPrefix))
        return std::nullopt;
    const std::string digits = name.substr(kPidPrefix.size());
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || pid <= 0)
        return std::nullopt;
    return pid;
}

bool ProcessIsGone(pid_t pid)
{
    return kill(pid, 0) != 0 && errno == ESRCH;
}

bool IsStale(const fs::directory_entry& entry)
{
    std::error_code ec;
    if (!entry.is_symlink(ec))
        return false;
    if (!fs::exists(entry.path(), ec)) // follows the link: its target is gone
        return true;
    const auto pid = PidOfName(entry.path().filename().string());
    return pid && ProcessIsGone(*pid);
}

bool MakePrivateFolder(const fs::path& folder, std::string& error)
{
    for (const fs::path& level : {folder.parent_path(), folder}) {
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot create " + level.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = folder.string() + " is not a folder";
        return false;
    }
    return true;
}

std::string LinkTarget(const std::string& path)
{
    std::error_code ec;
    const fs::path target = fs::read_symlink(path, ec);
    return ec ? std::string() : target.string();
}

} // namespace

void RemoveStaleLinks(const std::string& folder)
{
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (IsStale(entry))
            fs::remove(entry.path(), ec);
    }
}

std::optional<PublishedPort> PublishedPort::Publish(const std::string& folder, const std::string& name,
                                                    const std::string& target, std::string& error)
{
    if (!MakePrivateFolder(folder, error))
        return std::nullopt;
    RemoveStaleLinks(folder);
    const std::string path = (fs::path(folder) / name).string();
    if (symlink(target.c_str(), path.c_str()) != 0) {
        error = errno == EEXIST ? path + " is already published by a running simulator"
                                : "cannot create " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return PublishedPort(path, target);
}

PublishedPort::PublishedPort(std::string path, std::string target)
    : m_path(std::move(path)), m_target(std::move(target))
{
}

PublishedPort::PublishedPort(PublishedPort&& other) noexcept
    : m_path(std::move(other.m_path)), m_target(std::move(other.m_target))
{
    other.m_path.clear();
}

PublishedPort::~PublishedPort()
{
    Remove();
}

void PublishedPort::Remove()
{
    if (!m_path.empty() && LinkTarget(m_path) == m_target)
        unlink(m_path.c_str());
    m_path.clear();
}
