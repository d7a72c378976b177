#pragma once

#include "protocol/protocol_view.h"

#include <array>

// The telemetry display rewrites its controls only on every tenth accepted
// frame (attitude) or every fifth frame of a live page, so the window keeps up
// with a 100-frames-a-second link. The counters run for the life of the
// program and are never reset when the link restarts.
class RefreshDecimator {
public:
    // Counts one call of `mode`; true when this call should rewrite the
    // controls. A value outside the three modes is never due.
    bool IsDue(TelemetryRefresh mode);

private:
    std::array<unsigned, 3> m_counters{};
};
