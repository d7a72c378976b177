#pragma once

#include "link/link_status.h"
#include "protocol/protocol_frame.h"
#include "protocol/telemetry_state.h"
#include "recording/recorded_frame.h"
#include "recording/recording_replay.h"
#include "recording/session_recorder.h"

#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <vector>

// Recording the link's decoded frames, and replaying a recording into the
// views in their place. A replay shows the file alone: it starts with the
// link closed and no recording running. The plots count time from the
// session's start.
class RecordReplay {
public:
    using Clock = std::chrono::steady_clock;

    RecordReplay(LinkStatus& status, const TelemetryState& live, Clock::time_point session_start);

    // An error text when the recording could not start, or stopped because
    // a frame could not be written; nothing records then.
    std::string StartRecording(const std::string& folder, Clock::time_point now);
    std::string Record(Clock::time_point now, const ProtocolFrame& frame);
    void StopRecording();
    bool IsRecording() const { return m_recorder.IsRunning(); }
    double SessionSeconds(Clock::time_point now) const;

    // Stops a recording that runs; the link is the caller's to close first.
    void StartReplay(std::string name, std::vector<RecordedFrame> frames, Clock::time_point now);
    void StopReplay();
    // Null unless a replay runs.
    RecordingReplay* Replay() { return m_replay.get(); }

    struct ReplayTick {
        std::span<const RecordedFrame> due; // in recording order
        bool just_finished = false;         // the last frame has just been handed over
    };
    // One tick of the window's timer: the replay's frames that fell due.
    ReplayTick TickReplay(Clock::time_point now);

    // The telemetry the views show: the replay's, else the link's.
    const TelemetryState& Shown() const;
    const TelemetryState& Live() const { return m_live; }

    // What runs besides the link, for the window's title: "" when nothing.
    std::string TitleSuffix() const;
    // Where the replay stands, for the status line: "" without a replay.
    std::string ReplayStatus() const;

private:
    LinkStatus& m_status;
    const TelemetryState& m_live;
    const Clock::time_point m_session_start;
    SessionRecorder m_recorder;
    std::unique_ptr<RecordingReplay> m_replay;
};
