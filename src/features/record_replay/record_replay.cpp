#include "features/record_replay/record_replay.h"

#include "app/format_text.h"
#include "resources/ui_texts.h"

#include <filesystem>
#include <utility>

namespace {

std::string FileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

std::string SizeText(uint64_t bytes)
{
    if (bytes < 1024 * 1024)
        return FormatText("%.1f KB", bytes / 1024.0);
    return FormatText("%.1f MB", bytes / (1024.0 * 1024.0));
}

} // namespace

RecordReplay::RecordReplay(LinkStatus& status, const TelemetryState& live, Clock::time_point session_start)
    : m_status(status), m_live(live), m_session_start(session_start)
{
}

std::string RecordReplay::StartRecording(const std::string& folder, Clock::time_point now)
{
    return m_recorder.Start(folder, now);
}

std::string RecordReplay::Record(Clock::time_point now, const ProtocolFrame& frame)
{
    if (!m_recorder.IsRunning())
        return {};
    std::string error = m_recorder.Record(now, frame, m_live);
    if (!error.empty())
        m_recorder.Stop();
    return error;
}

void RecordReplay::StopRecording()
{
    m_recorder.Stop();
}

double RecordReplay::SessionSeconds(Clock::time_point now) const
{
    return std::chrono::duration<double>(now - m_session_start).count();
}

void RecordReplay::StartReplay(std::string name, std::vector<RecordedFrame> frames, Clock::time_point now)
{
    m_recorder.Stop();
    m_replay = std::make_unique<RecordingReplay>(std::move(name), std::move(frames), now);
    m_status.OnReplayStarted();
}

void RecordReplay::StopReplay()
{
    if (!m_replay)
        return;
    m_replay.reset();
    m_status.OnReplayStopped();
}

RecordReplay::ReplayTick RecordReplay::TickReplay(Clock::time_point now)
{
    if (!m_replay)
        return {};
    const bool was_finished = m_replay->Cursor().Finished();
    const std::span<const RecordedFrame> due = m_replay->TakeDue(now);
    return {due, !was_finished && m_replay->Cursor().Finished()};
}

const TelemetryState& RecordReplay::Shown() const
{
    return m_replay ? m_replay->Shown() : m_live;
}

std::string RecordReplay::TitleSuffix() const
{
    std::string suffix;
    if (m_recorder.IsRunning()) {
        suffix += " - " + LoadUiText(UiText::kRecordingTitle,
                                     FileName(m_recorder.Path()) + " (" + SizeText(m_recorder.Bytes()) + ")");
    }
    if (m_replay)
        suffix += " - " + ReplayStatus();
    return suffix;
}

std::string RecordReplay::ReplayStatus() const
{
    if (!m_replay)
        return {};
    const ReplayCursor& cursor = m_replay->Cursor();
    // Speed and position first: the status line is narrow.
    std::string where = FormatText("%gx %.1f/%.1f s ", cursor.Speed(), cursor.Position(), cursor.Duration());
    if (cursor.Paused())
        where += LoadUiText(UiText::kReplayPaused) + " ";
    return LoadUiText(UiText::kReplayStatus, where + m_replay->Name());
}
