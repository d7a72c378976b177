#include "features/window_menu/window_menu_entries.h"

#include <array>

namespace {

using Targets = WindowMenuTargets;

const std::array kEntries = {
    WindowMenuEntry{UiText::kMenuExpertView, "Ctrl+Shift+X", true, &Targets::ToggleExpertView},
    WindowMenuEntry{UiText::kMenuCompareGimbalWithFile, "Ctrl+Shift+M", false,
                    &Targets::CompareGimbalWithFile},
    WindowMenuEntry{UiText::kMenuReconnectAutomatically, "Ctrl+Shift+A", true,
                    &Targets::SetReconnectAutomatically},
    WindowMenuEntry{UiText::kMenuPlots, "Ctrl+L", false, &Targets::ShowPlots},
    WindowMenuEntry{UiText::kMenuRecord, "Ctrl+R", true, &Targets::SetRecording},
    WindowMenuEntry{UiText::kMenuReplay, "Ctrl+Shift+O", false, &Targets::ChooseReplay},
    WindowMenuEntry{UiText::kMenuReplayPause, "Ctrl+Shift+P", true, &Targets::PauseReplay},
    WindowMenuEntry{UiText::kMenuReplayStep, "Ctrl+Shift+N", false, &Targets::StepReplay},
    WindowMenuEntry{UiText::kMenuReplaySpeed, "Ctrl+Shift+F", false, &Targets::SpeedUpReplay},
    WindowMenuEntry{UiText::kMenuReplayStop, "Ctrl+Shift+E", false, &Targets::StopReplay},
};

} // namespace

std::span<const WindowMenuEntry> WindowMenuEntries()
{
    return kEntries;
}
