#include "recording/csv_recording.h"

#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

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

// A device or FIFO is written in place from the start and never replaced;
// a regular file takes the rows through a file beside it.
std::string CsvRecording::Open(const std::string& path, bool replace, std::string_view header)
{
    const OutputTarget target = InspectOutput(path);
    if (target.kind == OutputKind::kRefused) {
        return target.error;
    }
    if (target.kind == OutputKind::kRegular && !replace) {
        return "'" + path + "' exists; --force replaces it";
    }
    m_path = target.path;
    m_replace = replace;
    if (target.kind == OutputKind::kStream) {
        m_file.open(m_path, std::ios::out);
    } else {
        const int fd = CreateFileBeside(target.path, m_temporary);
        if (fd < 0) {
            m_temporary.clear();
            return Cannot("write", path);
        }
        ::close(fd);
        m_file.open(m_temporary, std::ios::out | std::ios::trunc);
    }
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
