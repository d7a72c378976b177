#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>

#include "params/gimbal_params.h"
#include "protocol/protocol_frame.h"
#include "recording/recorded_frame.h"
#include "sim/live_pages.h"
#include "sim/live_signals.h"
#include "sim/pc_frame_reader.h"
#include "sim/recorded_live.h"
#include "sim/sim_clock.h"

// Fault bits and status bytes the controller reports in page 33.
struct HardwareFaults {
    uint8_t main_flags = 0;
    std::array<uint8_t, 3> mtr_status{};
    uint8_t sens_status = 0;
};

struct ModelOptions {
    SimDuration calibration_time = std::chrono::seconds(2);
    std::set<uint8_t> failing_commands; // answered with the code + 128
    bool calibration_allowed = true;
    std::optional<SimDuration> silent_after; // no frame at all from then on
    std::set<uint8_t> ignored_pages;         // requests never answered
    std::optional<uint8_t> hang_up_page;     // the controller goes away when the PC asks for it
    HardwareFaults hardware_faults;
    uint32_t seed = 1;
    uint8_t main_version = 23; // main board firmware, major * 10 + minor
    // "Save to flash": keeps the set; returns false when it could not. Without
    // it the set is kept in memory only.
    std::function<bool(const GimbalParams&)> save_params;
    // Live values from a recording instead of the simulated signals: state,
    // faults, versions and progress as recorded; commands are still answered.
    std::vector<RecordedFrame> replay;
};

// The gimbal controller as the PC sees it over the link: it takes the bytes
// the PC writes and builds the frames it answers with. Commands in the PC's
// frames are acted on when the code changes (the PC repeats a pending code in
// every frame); the answer is sent once and repeated only while the PC keeps
// sending the same code, so a late answer never clears a newer command.
class ControllerModel {
public:
    ControllerModel(ModelOptions options, const SimClock& clock, const GimbalParams& params);

    void Receive(const uint8_t* data, size_t count);

    // The next frame to send, or nothing once the controller has gone silent.
    std::optional<ProtocolFrame> NextFrame();

    const GimbalParams& Params() const { return m_params; }
    uint8_t GimbalState() const { return m_gimbal_state; }
    const PcFrameReader& Reader() const { return m_reader; }

    // True once the PC has asked for the page of ModelOptions::hang_up_page:
    // the controller has gone away, as if unplugged.
    bool HasGoneAway() const { return m_gone_away; }

    // True once the PC has sent the request to enter the bootloader.
    bool BootloaderRequested() const { return m_bootloader_requested; }
    // The controller starts anew running firmware `main_version`: requests,
    // answers, calibrations and the run state are forgotten, the parameter
    // set is kept.
    void Restart(uint8_t main_version);

private:
    struct PendingAnswer {
        uint8_t command;
        uint8_t code;
        std::optional<SimDuration> sent_at;
    };
    struct Calibration {
        uint8_t command;
        SimDuration started;
    };

    void HandleFrame(const ProtocolFrame& frame);
    void HandleCommand(uint8_t code);
    void HandlePageRequest(const ProtocolFrame& frame);
    bool Execute(uint8_t code);
    void Answer(uint8_t command, bool success);
    void ShowProgress(uint8_t state, uint8_t value);
    void EndCalibration(bool success);
    void UpdateCalibration();
    uint8_t TakeAcknowledgement();
    uint8_t PageToSend();
    void FillPage(uint8_t page, ProtocolFrame& frame);
    LiveStatus StatusNow();
    AttitudeSample AttitudeNow();
    LiveGrid GridNow();

    ModelOptions m_options;
    const SimClock& m_clock;
    GimbalParams m_params;
    PcFrameReader m_reader;
    LiveSignals m_signals;
    std::optional<RecordedLive> m_replay;

    uint8_t m_pc_command = 0;
    uint8_t m_requested_page = 0;
    uint8_t m_gimbal_state = 0;
    std::optional<PendingAnswer> m_answer;
    std::optional<Calibration> m_calibration;
    uint8_t m_progress_state = 0;
    uint8_t m_progress_value = 0;
    std::optional<SimDuration> m_progress_clears_at;
    bool m_grid_next = false;
    int m_channel_row = 0;
    uint32_t m_sequence = 0;
    bool m_bootloader_requested = false;
    bool m_gone_away = false;
};
