#include "recording/csv_recording.h"

#include "platform/output_file.h"
#include "platform/pending_file.h"

#include <filesystem>

namespace {

std::string CannotWrite(const std::string& path, const std::string& cause)
{
    return "cannot write '" + path + "': " + cause;
}

} // namespace

CsvRecording::~CsvRecording()
{
    if (!m_temporary.empty()) {
        m_file.close();
        RemovePendingFile(m_temporary);
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
        m_file.open(std::filesystem::path(std::u8string(m_path.begin(), m_path.end())), std::ios::out);
    } else {
        std::string cause;
        m_temporary = CreatePendingFile(m_path, m_file, cause);
        if (m_temporary.empty()) {
            return CannotWrite(path, cause);
        }
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

std::string CsvRecording::Publish()
{
    std::string cause;
    switch (PublishPendingFile(m_file, m_temporary, m_path, m_replace, cause)) {
    case PublishResult::kPublished:
        m_temporary.clear();
        return {};
    case PublishResult::kNameTaken:
        return "'" + m_path + "' appeared meanwhile; --force replaces it";
    case PublishResult::kFailed:
        break;
    }
    return CannotWrite(m_path, cause);
}
