#pragma once

#include "protocol/protocol_frame.h"
#include "protocol/telemetry_state.h"
#include "recording/csv_recording.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// Where the window's recordings go: UserDataDirectory()/recordings.
std::string RecordingFolder();

// The path of a new recording in `folder`: "orvane-YYYYMMDD-HHMMSS.csv" from
// the local time `now`, with "-2", "-3", ... before the extension while a
// file of that name exists.
std::string FreshRecordingPath(const std::string& folder, std::chrono::system_clock::time_point now);

// Records the decoded frames of a session, one CSV row per frame, flushed as
// it goes. Every recording gets a file of its own: an earlier one is never
// replaced.
class SessionRecorder {
public:
    using Clock = std::chrono::steady_clock;

    // Starts a recording in `folder` (created when missing). An error text
    // when it could not start; nothing runs then.
    std::string Start(const std::string& folder, Clock::time_point start);
    // Appends a frame decoded at `at`. An error text when the file could not
    // be written; the recording has then stopped.
    std::string Record(Clock::time_point at, const ProtocolFrame& frame, const TelemetryState& state);
    void Stop();

    bool IsRunning() const { return m_file != nullptr; }
    const std::string& Path() const { return m_path; }
    // What the file holds so far, header included.
    uint64_t Bytes() const { return m_bytes; }

private:
    std::unique_ptr<CsvRecording> m_file;
    std::string m_path;
    Clock::time_point m_start;
    uint64_t m_bytes = 0;
};
