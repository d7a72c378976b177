#pragma once

#include "resources/ui_texts.h"

#include <span>
#include <string_view>

// What the entries of the window's menu do; the window's features carry it
// out. Each is told the entry's new check mark, which only the entries
// with one (a choice that is on or off) heed.
class WindowMenuTargets {
public:
    virtual void ToggleExpertView(bool on) = 0;
    virtual void CompareGimbalWithFile(bool) = 0;
    virtual void SetReconnectAutomatically(bool on) = 0;
    virtual void ShowPlots(bool) = 0;
    virtual void SetRecording(bool on) = 0;
    virtual void ChooseReplay(bool) = 0;
    virtual void PauseReplay(bool paused) = 0;
    virtual void StepReplay(bool) = 0;
    virtual void SpeedUpReplay(bool) = 0;
    virtual void StopReplay(bool) = 0;

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
    void (WindowMenuTargets::*run)(bool checked);
};

// Every entry, in the menu's order.
std::span<const WindowMenuEntry> WindowMenuEntries();
