#pragma once

#include "app/refresh_decimator.h"
#include "protocol/protocol_view.h"
#include "protocol/telemetry_state.h"

class ControlMap;

// Puts the live values into the dialog's controls, each group only on its
// due call (every tenth frame for the attitude, every fifth page otherwise).
// Controls rewrite and repaint only what differs.
class TelemetryDisplay {
public:
    explicit TelemetryDisplay(const ControlMap& controls) : m_controls(controls) {}

    void Refresh(const TelemetryState& state, TelemetryRefresh mode);
    // Every group at once, due or not: a replay that pauses or steps shows
    // exactly the frame it stands on.
    void ShowAll(const TelemetryState& state);

private:
    void ShowAttitude(const TelemetryState& state);
    void ShowStatusPage(const TelemetryState& state);
    void ShowGrid(const TelemetryState& state);

    const ControlMap& m_controls;
    RefreshDecimator m_decimator;
};
