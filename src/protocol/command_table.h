#pragma once

#include "protocol/rgb.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// One operator command: the button that sends it, what the button checks,
// the code every outbound frame then carries, and the messages of each step.
// Message ids are looked up in the current language by the window.
struct CommandRow {
    std::string_view name; // stable name for scripts, e.g. "gyro-cal"
    int control_id;        // the dialog button
    std::string_view caption;
    uint8_t code;
    bool needs_cal_allowed; // refused unless the gimbal reports calibration allowed
    int confirm_message;    // 0 = no question asked
    int progress_message;
    int success_message;
    int failure_message;
};

// The gimbal's answer to a command: the command code means success, the code
// plus this offset means failure.
inline constexpr uint8_t kAckFailureOffset = 128;

// Pending-command code of the gimbal stop, also sent by the auto-stop rule.
inline constexpr uint8_t kGimbalStopCode = 2;

std::span<const CommandRow> Commands();
const CommandRow* FindCommandByName(std::string_view name);
const CommandRow* FindCommandByControl(int control_id);
const CommandRow* FindCommandByCode(uint8_t code);

// What an acknowledgement byte shows: its message and colour. Empty for a
// byte that acknowledges nothing.
struct Acknowledgement {
    int message_id;
    Rgb colour;
};
std::optional<Acknowledgement> FindAcknowledgement(uint8_t ack_code);
