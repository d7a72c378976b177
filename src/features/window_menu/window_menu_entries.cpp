#include "features/window_menu/window_menu_entries.h"

#include <array>

namespace {

using Targets = WindowMenuTargets;

const std::array kEntries = {
    WindowMenuEntry{UiText::kMenuExpertView, "Ctrl+Shift+X", true,
                    [](Targets& targets, bool on) { targets.ToggleExpertView(on); }},
    WindowMenuEntry{UiText::kMenuCompareGimbalWithFile, "Ctrl+Shift+M", false,
                    [](Targets& targets, bool) { targets.CompareGimbalWithFile(); }},
    WindowMenuEntry{UiText::kMenuReconnectAutomatically, "Ctrl+Shift+A", true,
                    [](Targets& targets, bool on) { targets.SetReconnectAutomatically(on); }},
    WindowMenuEntry{UiText::kMenuPlots, "Ctrl+L", false, [](Targets& targets, bool) { targets.ShowPlots(); }},
    WindowMenuEntry{UiText::kMenuRecord, "Ctrl+R", true,
                    [](Targets& targets, bool on) { targets.SetRecording(on); }},
    WindowMenuEntry{UiText::kMenuReplay, "Ctrl+Shift+O", false,
                    [](Targets& targets, bool) { targets.ChooseReplay(); }},
    WindowMenuEntry{UiText::kMenuReplayPause, "Ctrl+Shift+P", true,
                    [](Targets& targets, bool paused) { targets.PauseReplay(paused); }},
    WindowMenuEntry{UiText::kMenuReplayStep, "Ctrl+Shift+N", false,
                    [](Targets& targets, bool) { targets.StepReplay(); }},
    WindowMenuEntry{UiText::kMenuReplaySpeed, "Ctrl+Shift+F", false,
                    [](Targets& targets, bool) { targets.SpeedUpReplay(); }},
    WindowMenuEntry{UiText::kMenuReplayStop, "Ctrl+Shift+E", false,
                    [](Targets& targets, bool) { targets.StopReplay(); }},
};

} // namespace

std::span<const WindowMenuEntry> WindowMenuEntries()
{
    return kEntries;
}
