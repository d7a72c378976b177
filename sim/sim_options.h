#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/bootloader_model.h"
#include "sim/controller_model.h"
#include "sim/line_faults.h"

// Everything the command line of orvane-sim sets.
struct SimOptions {
    std::string name;       // link name; empty = "orvane-sim-<pid>"
    std::string state_file; // empty = the default under the runtime folder
    std::chrono::microseconds period = std::chrono::milliseconds(10);
    double cal_seconds = 2.0;
    double crc_error_rate = 0;
    double drop_rate = 0;
    double garbage_rate = 0;
    std::optional<double> silent_after; // seconds
    std::vector<uint8_t> failing_commands;
    bool no_cal = false;
    HardwareFaults hardware_faults;
    std::vector<uint8_t> ignored_pages;
    std::optional<uint8_t> hang_up_page;
    uint32_t baud = 0; // 0 = frames leave in one piece
    bool unpaced = false;
    std::optional<uint32_t> seed;
    std::string replay; // a recording whose live values the controller sends
    // The bootloader and its flash.
    uint32_t board_id = 1;
    uint8_t firmware_version = 23;
    uint32_t flash_kib = 512;
    double iap_corrupt_rate = 0;
    std::optional<double> iap_stall_at;     // percent
    std::optional<double> iap_power_cut_at; // percent
    bool help = false;
};

struct SimOptionsResult {
    SimOptions options;
    std::string error; // empty when the command line was understood
};

// Parses the arguments after the program name.
SimOptionsResult ParseSimOptions(const std::vector<std::string>& args);

std::string SimHelpText();

// The model and line settings the options describe.
ModelOptions ModelOptionsFrom(const SimOptions& options, uint32_t seed);
LineFaultOptions LineFaultOptionsFrom(const SimOptions& options);
BootloaderOptions BootloaderOptionsFrom(const SimOptions& options, uint32_t seed);

// A published name may hold letters, digits, '.', '_' and '-', and does not
// start with '.'.
bool IsValidPortName(const std::string& name);
