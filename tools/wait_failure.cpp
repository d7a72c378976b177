#include "wait_failure.h"

namespace {

// The level bar's state while a calibration runs (green up to its value).
constexpr uint8_t kProgressRunning = 1;

std::string Count(uint64_t count, const char* what)
{
    return std::to_string(count) + " " + what;
}

} // namespace

std::string DescribeWaitFailure(const LinkCounters& during, const TelemetryState& telemetry)
{
    if (during.m_bytes_received == 0)
        return "no bytes at all from the gimbal";
    if (during.m_frames_decoded == 0) {
        return Count(during.m_bytes_received, "bytes but no valid frame (") +
               Count(during.m_frames_rejected, "failed their CRC; is the baud rate right?)");
    }
    if (telemetry.m_progress_state == kProgressRunning) {
        return "a calibration is still running (" + std::to_string(telemetry.m_progress_value) + " %)";
    }
    return Count(during.m_frames_decoded, "valid frames, none of them the one awaited");
}

LinkCounters CountersSince(const LinkCounters& before, const LinkCounters& after)
{
    return {after.m_bytes_received - before.m_bytes_received, after.m_bytes_dropped - before.m_bytes_dropped,
            after.m_frames_rejected - before.m_frames_rejected,
            after.m_frames_decoded - before.m_frames_decoded};
}
