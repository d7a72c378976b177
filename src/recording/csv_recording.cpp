#include "recording/csv_recording.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace {

bool PathExists(const std::string& path)
{
    std::error_code error;
    // A dangling symbolic link is something at that name too.
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::string Cannot(const std::string& what, const std::string& path)
{
    return "cannot " + what + " '" + path + "': " + std::strerror(errno);
}

} // namespace

CsvRecording::~CsvRecording()
{
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
    }
}

std::string CsvRecording::Open(const std::string& path, bool replace, std::string_view header)
{
    if (!replace && PathExists(path)) {
        return "'" + path + "' exists; --force replaces it";
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return Cannot("write", path);
    }
    ::close(fd);
    m_path = path;
    m_temporary = temporary;
    m_replace = replace;
    m_file.open(m_temporary, std::ios::out | std::ios::trunc);
    m_file << header << std::flush;
    return m_file.good() ? std::string{} : "cannot write '" + path + "'";
}

std::string CsvRecording::Append(std::string_view row)
{
    if (m_failed) {
        return {};
    }
    std::string error = m_temporary.empty() ? std::string{} : Publish();
    if (error.empty()) {
        // Flushed row by row: an interrupted run loses nothing it showed.
        m_file << row << std::flush;
        error = m_file.good() ? std::string{} : "cannot write '" + m_path + "'";
    }
    m_failed = !error.empty();
    return error;
}

// The open stream keeps writing to the same file under its new name.
std::string CsvRecording::Publish()
{
    if (m_replace) {
        if (std::rename(m_temporary.c_str(), m_path.c_str()) != 0) {
            return Cannot("write", m_path);
        }
    } else if (::link(m_temporary.c_str(), m_path.c_str()) != 0) {
        // link() never replaces: a file that appeared meanwhile is kept.
        return errno == EEXIST ? "'" + m_path + "' appeared meanwhile; --force replaces it"
                               : Cannot("write", m_path);
    } else {
        ::unlink(m_temporary.c_str());
    }
    m_temporary.clear();
    return {};
}
