#pragma once

#include "recording/recorded_frame.h"
#include "sim/live_pages.h"
#include "sim/sim_clock.h"

#include <vector>

// A recording played as the controller's live values: at any moment the
// telemetry of the last frame recorded by then, the recording's own pace
// kept, and from the start again once it has run through.
class RecordedLive {
public:
    // `frames` is not empty.
    explicit RecordedLive(std::vector<RecordedFrame> frames);

    const TelemetryState& At(SimDuration now) const;

private:
    std::vector<RecordedFrame> m_frames;
    double m_duration; // seconds from the first to the last frame
};

// The recorded values in the units the controller sends them, each rounded
// to the nearest step the wire can carry.
AttitudeSample AttitudeOf(const TelemetryState& state);
LiveStatus StatusOf(const TelemetryState& state);
LiveGrid GridOf(const TelemetryState& state);
