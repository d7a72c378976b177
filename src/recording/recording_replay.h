#pragma once

#include "recording/recorded_frame.h"
#include "recording/replay_cursor.h"

#include <chrono>
#include <span>
#include <string>
#include <vector>

// A recording being replayed into the window: its frames, where the replay
// stands, and the wall-clock time of the last look, so that each tick of the
// window's timer hands over what fell due since.
class RecordingReplay {
public:
    using Clock = std::chrono::steady_clock;

    RecordingReplay(std::string name, std::vector<RecordedFrame> frames, Clock::time_point start);

    // The frames due since the last call, in recording order.
    std::span<const RecordedFrame> TakeDue(Clock::time_point now);
    // Pauses and hands over the next frame; nullptr at the end.
    const RecordedFrame* Step();

    // The speed after `speed`: 1x, 2x, 4x, 8x, then 1x again.
    static double NextSpeed(double speed);

    // The telemetry of the last frame handed over (all zero before the first).
    const TelemetryState& Shown() const { return m_shown; }

    ReplayCursor& Cursor() { return m_cursor; }
    const ReplayCursor& Cursor() const { return m_cursor; }
    const std::string& Name() const { return m_name; }

private:
    static std::vector<double> TimesOf(const std::vector<RecordedFrame>& frames);

    std::string m_name;
    std::vector<RecordedFrame> m_frames;
    ReplayCursor m_cursor;
    Clock::time_point m_last_look;
    TelemetryState m_shown{};
};
