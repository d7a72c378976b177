#pragma once

#include "features/window_menu/window_menu_entries.h"

#include <string>

class ExpertView;
class QAction;
class QMenu;
class QWidget;
class WindowComparison;
class WindowReconnect;
class WindowRecordReplay;

// The window's menu: what the window offers beyond its controls, reached by
// a right click anywhere but an edit field (which has its own menu) and by
// the shortcut each entry shows. Each entry runs one of the features the
// window owns; the window's look and default behaviour stay as they are.
class WindowMenu : private WindowMenuTargets {
public:
    struct Features {
        ExpertView& expert_view;
        WindowComparison& comparison;
        WindowReconnect& reconnect;
        WindowRecordReplay& record_replay;
        // The parameter file the window last opened or saved.
        const std::string& param_file_name;
    };

    WindowMenu(QWidget& window, Features features);

    // Adds the entries to the window, so each shortcut works without the
    // menu open, and opens the menu on a right click.
    void Build();
    // The entry with `caption`, or nullptr.
    QAction* Action(UiText caption) const;
    // The choices as the user left them: the expert view and reconnecting.
    void RestoreChoices();

private:
    void ToggleExpertView(bool on) override;
    void CompareGimbalWithFile(bool) override;
    void SetReconnectAutomatically(bool on) override;
    void ShowPlots(bool) override;
    void SetRecording(bool on) override;
    void ChooseReplay(bool) override;
    void PauseReplay(bool paused) override;
    void StepReplay(bool) override;
    void SpeedUpReplay(bool) override;
    void StopReplay(bool) override;

    QWidget& m_window;
    const Features m_features;
    QMenu* m_menu = nullptr; // owned by the window
};
