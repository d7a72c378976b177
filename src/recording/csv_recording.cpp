#include "recording/csv_recording.h"

#include "platform/pending_file.h"

#include <filesystem>

namespace {

bool PathExists(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path name(std::u8string(path.begin(), path.end()));
    // A dangling symbolic link is something at that name too.
    return std::filesystem::exists(std::filesystem::symlink_status(name, error));
}

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

std::string CsvRecording::Open(const std::string& path, bool replace, std::string_view header)
{
    if (!replace && PathExists(path)) {
        return "'" + path + "' exists; --force replaces it";
    }
    std::string cause;
    m_temporary = CreatePendingFile(path, m_file, cause);
    if (m_temporary.empty()) {
        return CannotWrite(path, cause);
    }
    m_path = path;
    m_replace = replace;
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
