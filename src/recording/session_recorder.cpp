#include "recording/session_recorder.h"

#include "app/format_text.h"
#include "platform/classic_locale.h"
#include "platform/runtime_dir.h"
#include "recording/telemetry_csv.h"

#include <ctime>
#include <filesystem>

std::string RecordingFolder()
{
    return UserDataDirectory() + "/recordings";
}

std::string FreshRecordingPath(const std::string& folder, std::chrono::system_clock::time_point now)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const std::tm local = LocalCalendarTime(seconds);
    const std::string stem =
        folder + "/" +
        FormatText("orvane-%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                   local.tm_hour, local.tm_min, local.tm_sec);
    std::string path = stem + ".csv";
    std::error_code error;
    for (int suffix = 2; std::filesystem::exists(std::filesystem::symlink_status(path, error)); ++suffix)
        path = stem + "-" + std::to_string(suffix) + ".csv";
    return path;
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
