#include "recording/session_recorder.h"

#include "platform/runtime_dir.h"
#include "platform/timestamped_path.h"
#include "recording/telemetry_csv.h"

#include <filesystem>

std::string RecordingFolder()
{
    return UserDataDirectory() + "/recordings";
}

std::string FreshRecordingPath(const std::string& folder, std::chrono::system_clock::time_point now)
{
    return FreshTimestampedPath(folder, "orvane-", "", ".csv", now);
}

std::string SessionRecorder::Start(const std::string& folder, Clock::time_point start)
{
    Stop();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return "cannot create '" + folder + "': " + error.message();
    const std::string path = FreshRecordingPath(folder, std::chrono::system_clock::now());
    auto file = std::make_unique<CsvRecording>();
    const std::string header = TelemetryCsvHeader();
    if (std::string failure = file->Open(path, false, header); !failure.empty())
        return failure;
    m_file = std::move(file);
    m_path = path;
    m_start = start;
    m_bytes = header.size();
    return {};
}

std::string SessionRecorder::Record(Clock::time_point at, const ProtocolFrame& frame,
                                    const TelemetryState& state)
{
    if (!m_file)
        return {};
    const std::string row =
        TelemetryCsvRow(std::chrono::duration<double>(at - m_start).count(), frame, state);
    std::string error = m_file->Append(row);
    if (!error.empty()) {
        Stop();
        return error;
    }
    m_bytes += row.size();
    return {};
}

void SessionRecorder::Stop()
{
    m_file.reset();
}
