#include "app/format_text.h"
#include "app/startup.h"
#include "protocol/telemetry_pages.h"
#include "recording/telemetry_csv.h"
#include "resources/control_ids.h"
#include "resources/message_ids.h"
#include "resources/ui_texts.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/dialog/orvane_app.h"
#include "ui/dialog/orvane_dlg.h"
#include "ui/views/plot_window.h"

#include <QAction>
#include <filesystem>

namespace {

using Clock = SessionRecorder::Clock;

const FileChoice kRecordingChoice{QStringLiteral("CSV recording(*.csv)"), QStringLiteral("csv"), QString()};
const QColor kReplayColour(0, 0, 255);
const QColor kFailureColour(255, 0, 0);
// Where recordings go unless the settings file names a folder.
constexpr const char* kRecordingSection = "Recording";
constexpr const char* kRecordingFolderKey = "Folder";

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

double SecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

void SetChecked(QAction* action, bool checked)
{
    const QSignalBlocker blocker(action);
    action->setChecked(checked);
}

} // namespace

// The one plot window: opened, or brought to the front when it is open.
void COrvaneDlg::OnPlotWindow()
{
    if (!m_plot_window)
        m_plot_window = new PlotWindow(m_app.m_settings_path, this);
    m_plot_window->show();
    m_plot_window->raise();
    m_plot_window->activateWindow();
}

void COrvaneDlg::OnFrameDecoded(const ProtocolFrame& frame)
{
    RecordAndPlot(frame);
}

void COrvaneDlg::RecordAndPlot(const ProtocolFrame& frame)
{
    const Clock::time_point now = Clock::now();
    if (m_recorder.IsRunning()) {
        if (const std::string error = m_recorder.Record(now, frame, m_link.Telemetry()); !error.empty())
            StopRecording(error);
    }
    if (m_plot_window)
        m_plot_window->Push(SecondsBetween(m_session_start, now), m_link.Telemetry());
}

void COrvaneDlg::OnRecordSession(bool on)
{
    if (!on) {
        m_recorder.Stop();
        ShowActivity();
        return;
    }
    const std::string folder =
        ReadProfileText(kRecordingSection, kRecordingFolderKey, RecordingFolder(), m_app.m_settings_path);
    if (const std::string error = m_recorder.Start(folder, Clock::now()); !error.empty()) {
        StopRecording(error);
        return;
    }
    ShowActivity();
}

void COrvaneDlg::StopRecording(const std::string& failure)
{
    m_recorder.Stop();
    SetChecked(MenuAction(UiText::kMenuRecord), false);
    ShowStatusText(kFailureColour, QString::fromStdString(LoadUiText(UiText::kRecordingFailed, failure)));
    ShowActivity();
}

// The title says what runs besides the link; during a replay the status
// line says, in blue, that nothing shown is live.
void COrvaneDlg::ShowActivity()
{
    std::string title = m_app.m_app_title;
    if (m_recorder.IsRunning()) {
        title += " - " + LoadUiText(UiText::kRecordingTitle,
                                    FileName(m_recorder.Path()) + " (" + SizeText(m_recorder.Bytes()) + ")");
    }
    if (m_replay) {
        const ReplayCursor& cursor = m_replay->Cursor();
        // Speed and position first: the status line is narrow.
        std::string where =
            FormatText("%gx %.1f/%.1f s ", cursor.Speed(), cursor.Position(), cursor.Duration());
        if (cursor.Paused())
            where += LoadUiText(UiText::kReplayPaused) + " ";
        const std::string replay = LoadUiText(UiText::kReplayStatus, where + m_replay->Name());
        ShowStatusText(kReplayColour, QString::fromStdString(replay));
        title += " - " + replay;
    }
    const QString text = QString::fromStdString(title);
    if (windowTitle() != text)
        setWindowTitle(text);
}

const TelemetryState& COrvaneDlg::ShownTelemetry() const
{
    return m_replay ? m_replay->Shown() : m_link.Telemetry();
}

void COrvaneDlg::OnReplayRecording()
{
    const QString path = m_prompts.ChooseFileToOpen(this, kRecordingChoice);
    if (path.isEmpty())
        return;
    RecordingLoad recording = LoadTelemetryCsv(path.toStdString());
    if (recording.m_error.empty() && recording.m_frames.empty())
        recording.m_error = "no frames";
    if (!recording.m_error.empty()) {
        ShowStatusText(kFailureColour,
                       QString::fromStdString(LoadUiText(UiText::kReplayOpenFailed, recording.m_error)));
        return;
    }
    // The views show the file alone: the link closes, and there is nothing
    // left to record.
    if (IsLinkButtonShowing(MessageId::kStopDebug))
        OnStartStopDebug();
    if (m_recorder.IsRunning()) {
        m_recorder.Stop();
        SetChecked(MenuAction(UiText::kMenuRecord), false);
    }
    m_replay = std::make_unique<RecordingReplay>(FileName(path.toStdString()), std::move(recording.m_frames),
                                                 Clock::now());
    SetChecked(MenuAction(UiText::kMenuReplayPause), false);
    ShowActivity();
}

void COrvaneDlg::TickReplay()
{
    if (!m_replay)
        return;
    const bool was_finished = m_replay->Cursor().Finished();
    for (const RecordedFrame& frame : m_replay->TakeDue(Clock::now()))
        ShowReplayedFrame(frame);
    // The last frame stays on screen whole, not as the last due refresh left it.
    if (!was_finished && m_replay->Cursor().Finished()) {
        m_telemetry_display.ShowAll(m_replay->Shown());
        ShowActivity();
    }
}

// What the decoder would have refreshed for this frame.
void COrvaneDlg::ShowReplayedFrame(const RecordedFrame& frame)
{
    m_telemetry_display.Refresh(frame.m_state, TelemetryRefresh::kEveryFrame);
    if (frame.m_page == kStatusPage)
        m_telemetry_display.Refresh(frame.m_state, TelemetryRefresh::kStatusPage);
    else if (frame.m_page == kGridPage)
        m_telemetry_display.Refresh(frame.m_state, TelemetryRefresh::kGridPage);
    if (m_plot_window)
        m_plot_window->Push(frame.m_seconds, frame.m_state);
}

void COrvaneDlg::OnReplayPause(bool paused)
{
    if (!m_replay) {
        SetChecked(MenuAction(UiText::kMenuReplayPause), false);
        return;
    }
    m_replay->Cursor().SetPaused(paused);
    if (paused)
        m_telemetry_display.ShowAll(m_replay->Shown());
    ShowActivity();
}

void COrvaneDlg::OnReplayStep()
{
    if (!m_replay)
        return;
    SetChecked(MenuAction(UiText::kMenuReplayPause), true);
    if (const RecordedFrame* frame = m_replay->Step()) {
        ShowReplayedFrame(*frame);
        m_telemetry_display.ShowAll(frame->m_state);
    }
    ShowActivity();
}

void COrvaneDlg::OnReplaySpeed()
{
    if (!m_replay)
        return;
    ReplayCursor& cursor = m_replay->Cursor();
    cursor.SetSpeed(RecordingReplay::NextSpeed(cursor.Speed()));
    ShowActivity();
}

void COrvaneDlg::StopReplay()
{
    if (!m_replay)
        return;
    m_replay.reset();
    SetChecked(MenuAction(UiText::kMenuReplayPause), false);
    ClearStatus();
    ShowActivity();
}
