#pragma once

#include "platform/stop_signal.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

struct UpgradeOptions {
    std::string m_device;
    std::string m_firmware_path;
    int m_baud = 115200;
    // How long the controller may take to answer a request, on top of the
    // time its bytes need on the line.
    std::chrono::milliseconds m_answer_time{500};
    // How long to look for a bootloader before giving up.
    std::chrono::milliseconds m_find_time{4000};
};

enum class UpgradeOutcome {
    kSuccess,
    kFileInvalid,     // the file failed a check; the device was not touched
    kPortOpenFailed,  // the port could not be opened
    kDeviceTypeError, // wrong board, or an image larger than its flash; nothing erased
    kDeviceRefused,   // the bootloader refused a request or the verification failed
    kTimedOut,        // no bootloader found, or it stopped answering
    kPortLost,        // the port failed or hung up during the upgrade
    kCancelled,       // the stop signal was raised
};

struct UpgradeResult {
    UpgradeOutcome m_outcome = UpgradeOutcome::kSuccess;
    std::string m_detail; // one English sentence: what happened, what to do
    int m_percent = 0;    // share of the image the controller has acknowledged
    uint32_t m_board_id = 0;
    uint8_t m_old_version = 0;      // what the controller reported running (0: none valid)
    uint8_t m_new_version = 0;      // the file's version
    uint32_t m_resumed_from = 0;    // offset an earlier interrupted upgrade had reached
    uint64_t m_bytes_sent = 0;      // everything written to the line
    uint32_t m_retransmissions = 0; // times the transfer went back to an earlier offset
};

struct UpgradeObserver {
    // After every acknowledged write packet, and once at each stage.
    std::function<void(int percent, const std::string& sentence)> m_on_progress;
};

// Upgrades the controller on `options.m_device` with the firmware file, on
// the calling thread, until done, failed or `stop` is raised. The file is
// checked completely before the port is opened; the board and the size
// before anything is erased. An upgrade that ends early leaves the
// controller in its bootloader, where the next one resumes it.
UpgradeResult RunUpgrade(const UpgradeOptions& options, const StopSignal& stop,
                         const UpgradeObserver& observer);
