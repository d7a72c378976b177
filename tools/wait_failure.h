#pragma once

#include "link/link_counters.h"
#include "protocol/telemetry_state.h"

#include <string>

// What the link counters changed by over a wait that timed out, and the
// telemetry at its end, say about why the answer never came: a silent line,
// bytes that never make a valid frame (most often a wrong baud rate), a
// calibration that is still running, or a gimbal that answers other things.
std::string DescribeWaitFailure(const LinkCounters& during, const TelemetryState& telemetry);

// The change of every counter from `before` to `after`.
LinkCounters CountersSince(const LinkCounters& before, const LinkCounters& after);
