#include "features/record_replay/qt/window_record_replay.h"

#include "app/startup.h"
#include "protocol/telemetry_pages.h"
#include "recording/telemetry_csv.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/views/plot_window.h"
#include "ui/views/telemetry_display.h"

#include <QAction>
#include <QSignalBlocker>
#include <filesystem>
#include <utility>

namespace {

using Clock = RecordReplay::Clock;

const FileChoice kRecordingChoice{QStringLiteral("CSV recording(*.csv)"), QStringLiteral("csv"), QString()};
const QColor kReplayColour(0, 0, 255);
const QColor kFailureColour(255, 0, 0);
// Where recordings go unless the settings file names a folder.
constexpr const char* kRecordingSection = "Recording";
constexpr const char* kRecordingFolderKey = "Folder";

QString Text(UiText id, const std::string& argument)
{
    return QString::fromStdString(LoadUiText(id, argument));
}

} // namespace

WindowRecordReplay::WindowRecordReplay(LinkStatus& status, const TelemetryState& live,
                                       TelemetryDisplay& display, DialogPrompts& prompts, QWidget* window,
                                       std::string app_title, std::string settings_path, WindowSide side)
    : m_logic(status, live, Clock::now()), m_display(display), m_prompts(prompts), m_window(window),
      m_app_title(std::move(app_title)), m_settings_path(std::move(settings_path)), m_side(std::move(side))
{
}

// The one plot window: opened, or brought to the front when it is open.
void WindowRecordReplay::OnPlotWindow()
{
    if (!m_plot_window)
        m_plot_window = new PlotWindow(m_settings_path, m_window);
    m_plot_window->show();
    m_plot_window->raise();
    m_plot_window->activateWindow();
}

void WindowRecordReplay::OnFrameDecoded(const ProtocolFrame& frame)
{
    const Clock::time_point now = Clock::now();
    if (const std::string error = m_logic.Record(now, frame); !error.empty())
        StopRecording(error);
    if (m_plot_window)
        m_plot_window->Push(m_logic.SessionSeconds(now), m_logic.Live());
}

void WindowRecordReplay::OnRecord(bool on)
{
    if (!on) {
        m_logic.StopRecording();
        ShowActivity();
        return;
    }
    const std::string folder =
        ReadProfileText(kRecordingSection, kRecordingFolderKey, RecordingFolder(), m_settings_path);
    if (const std::string error = m_logic.StartRecording(folder, Clock::now()); !error.empty()) {
        StopRecording(error);
        return;
    }
    ShowActivity();
}

void WindowRecordReplay::StopRecording(const std::string& failure)
{
    m_logic.StopRecording();
    SetChecked(UiText::kMenuRecord, false);
    m_side.show_status(kFailureColour, Text(UiText::kRecordingFailed, failure));
    ShowActivity();
}

// The title says what runs besides the link; during a replay the status
// line says, in blue, that nothing shown is live.
void WindowRecordReplay::ShowActivity()
{
    if (const std::string replay = m_logic.ReplayStatus(); !replay.empty())
        m_side.show_status(kReplayColour, QString::fromStdString(replay));
    const QString title = QString::fromStdString(m_app_title + m_logic.TitleSuffix());
    if (m_window->windowTitle() != title)
        m_window->setWindowTitle(title);
}

void WindowRecordReplay::OnReplay()
{
    const QString path = m_prompts.ChooseFileToOpen(m_window, kRecordingChoice);
    if (path.isEmpty())
        return;
    RecordingLoad recording = LoadTelemetryCsv(path.toStdString());
    if (recording.m_error.empty() && recording.m_frames.empty())
        recording.m_error = "no frames";
    if (!recording.m_error.empty()) {
        m_side.show_status(kFailureColour, Text(UiText::kReplayOpenFailed, recording.m_error));
        return;
    }
    // The views show the file alone: the link closes, and there is nothing
    // left to record.
    m_side.stop_link();
    SetChecked(UiText::kMenuRecord, false);
    m_logic.StartReplay(std::filesystem::path(path.toStdString()).filename().string(),
                        std::move(recording.m_frames), Clock::now());
    SetChecked(UiText::kMenuReplayPause, false);
    ShowActivity();
}

void WindowRecordReplay::Tick()
{
    const RecordReplay::ReplayTick tick = m_logic.TickReplay(Clock::now());
    for (const RecordedFrame& frame : tick.due)
        ShowReplayedFrame(frame);
    // The last frame stays on screen whole, not as the last due refresh left it.
    if (tick.just_finished) {
        m_display.ShowAll(m_logic.Shown());
        ShowActivity();
    }
    if (m_activity_ticks.Tick())
        ShowActivity();
}

// What the decoder would have refreshed for this frame.
void WindowRecordReplay::ShowReplayedFrame(const RecordedFrame& frame)
{
    m_display.Refresh(frame.m_state, TelemetryRefresh::kEveryFrame);
    if (frame.m_page == kStatusPage)
        m_display.Refresh(frame.m_state, TelemetryRefresh::kStatusPage);
    else if (frame.m_page == kGridPage)
        m_display.Refresh(frame.m_state, TelemetryRefresh::kGridPage);
    if (m_plot_window)
        m_plot_window->Push(frame.m_seconds, frame.m_state);
}

void WindowRecordReplay::OnReplayPause(bool paused)
{
    RecordingReplay* replay = m_logic.Replay();
    if (replay == nullptr) {
        SetChecked(UiText::kMenuReplayPause, false);
        return;
    }
    replay->Cursor().SetPaused(paused);
    if (paused)
        m_display.ShowAll(replay->Shown());
    ShowActivity();
}

void WindowRecordReplay::OnReplayStep()
{
    RecordingReplay* replay = m_logic.Replay();
    if (replay == nullptr)
        return;
    SetChecked(UiText::kMenuReplayPause, true);
    if (const RecordedFrame* frame = replay->Step()) {
        ShowReplayedFrame(*frame);
        m_display.ShowAll(frame->m_state);
    }
    ShowActivity();
}

void WindowRecordReplay::OnReplaySpeed()
{
    RecordingReplay* replay = m_logic.Replay();
    if (replay == nullptr)
        return;
    ReplayCursor& cursor = replay->Cursor();
    cursor.SetSpeed(RecordingReplay::NextSpeed(cursor.Speed()));
    ShowActivity();
}

void WindowRecordReplay::StopReplay()
{
    if (m_logic.Replay() == nullptr)
        return;
    m_logic.StopReplay();
    SetChecked(UiText::kMenuReplayPause, false);
    m_side.show_status(Qt::black, QString());
    ShowActivity();
}

void WindowRecordReplay::SetChecked(UiText caption, bool checked)
{
    QAction* action = m_side.menu_action(caption);
    const QSignalBlocker blocker(action);
    action->setChecked(checked);
}
