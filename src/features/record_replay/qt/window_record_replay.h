#pragma once

#include "app/tick_divider.h"
#include "features/record_replay/record_replay.h"
#include "resources/ui_texts.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

class DialogPrompts;
class PlotWindow;
class QAction;
class QWidget;
class TelemetryDisplay;

// The window's side of recording, replay and the plot window: the menu's
// check marks, the file choice, the window's title, the status line and
// the telemetry display a replay feeds.
class WindowRecordReplay {
public:
    struct WindowSide {
        std::function<void(const QColor& colour, const QString& text)> show_status;
        // Ends the link when it runs ("Stop Debug").
        std::function<void()> stop_link;
        // The window's menu entry with `caption`.
        std::function<QAction*(UiText caption)> menu_action;
    };

    WindowRecordReplay(LinkStatus& status, const TelemetryState& live, TelemetryDisplay& display,
                       DialogPrompts& prompts, QWidget* window, std::string app_title,
                       std::string settings_path, WindowSide side);

    const TelemetryState& Shown() const { return m_logic.Shown(); }
    // A frame the link decoded.
    void OnFrameDecoded(const ProtocolFrame& frame);
    // One tick of the window's 10 ms timer.
    void Tick();

    // The menu's entries.
    void OnPlotWindow();
    void OnRecord(bool on);
    void OnReplay();
    void OnReplayPause(bool paused);
    void OnReplayStep();
    void OnReplaySpeed();
    void StopReplay();

private:
    void StopRecording(const std::string& failure);
    void ShowReplayedFrame(const RecordedFrame& frame);
    void ShowActivity();
    void SetChecked(UiText caption, bool checked);

    RecordReplay m_logic;
    TelemetryDisplay& m_display;
    DialogPrompts& m_prompts;
    QWidget* m_window;
    const std::string m_app_title;
    const std::string m_settings_path;
    const WindowSide m_side;
    QPointer<PlotWindow> m_plot_window; // deletes itself when closed
    TickDivider m_activity_ticks{50};   // the recording's size, the replay's position: twice a second
};
