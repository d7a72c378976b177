#pragma once

#include "resources/ui_texts.h"

#include <span>
#include <string_view>

// What the entries of the window's menu do. The window's features carry it
// out; `on` and `paused` are the entry's new check mark.
class WindowMenuTargets {
public:
    virtual void ToggleExpertView(bool on) = 0;
    virtual void CompareGimbalWithFile() = 0;
    virtual void SetReconnectAutomatically(bool on) = 0;
    virtual void ShowPlots() = 0;
    virtual void SetRecording(bool on) = 0;
    virtual void ChooseReplay() = 0;
    virtual void PauseReplay(bool paused) = 0;
    virtual void StepReplay() = 0;
    virtual void SpeedUpReplay() = 0;
    virtual void StopReplay() = 0;

protected:
    ~WindowMenuTargets() = default;
};

// One entry of the menu. Its caption is also its name for assistive tools
// and scripts; the shortcut is in portable text ("Ctrl+Shift+X") and works
// without the menu open.
struct WindowMenuEntry {
    UiText caption;
    std::string_view shortcut;
    bool checkable;
    void (*run)(WindowMenuTargets& targets, bool checked);
};

// Every entry, in the menu's order.
std::span<const WindowMenuEntry> WindowMenuEntries();
