#include "recording/recording_replay.h"

#include <utility>

RecordingReplay::RecordingReplay(std::string name, std::vector<RecordedFrame> frames, Clock::time_point start)
    : m_name(std::move(name)), m_frames(std::move(frames)), m_cursor(TimesOf(m_frames)), m_last_look(start)
{
}

std::vector<double> RecordingReplay::TimesOf(const std::vector<RecordedFrame>& frames)
{
    std::vector<double> times;
    times.reserve(frames.size());
    for (const RecordedFrame& frame : frames)
        times.push_back(frame.m_seconds);
    return times;
}

std::span<const RecordedFrame> RecordingReplay::TakeDue(Clock::time_point now)
{
    const double wall_seconds = std::chrono::duration<double>(now - m_last_look).count();
    m_last_look = now;
    const ReplayCursor::Due due = m_cursor.Advance(wall_seconds);
    if (due.m_end > due.m_first)
        m_shown = m_frames[due.m_end - 1].m_state;
    return std::span<const RecordedFrame>(m_frames).subspan(due.m_first, due.m_end - due.m_first);
}

const RecordedFrame* RecordingReplay::Step()
{
    const std::optional<size_t> next = m_cursor.Step();
    if (!next)
        return nullptr;
    m_shown = m_frames[*next].m_state;
    return &m_frames[*next];
}

double RecordingReplay::NextSpeed(double speed)
{
    return speed >= 8 ? 1 : speed * 2;
}
