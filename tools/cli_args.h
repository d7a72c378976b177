#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class CliCommandId { kPorts, kMonitor, kDownload, kUpload, kCommand, kDiff, kUpgrade, kFwinfo, kFwpack };

// Everything the command line asked for. Defaults are those of the window's
// settings, except the time-out, which the window does not have.
struct CliArgs {
    std::optional<CliCommandId> m_command; // empty: the program's own help
    bool m_help = false;
    bool m_json = false;
    std::string m_port;
    int m_baud = 115200;
    int m_period_ms = 10;
    double m_timeout_s = 5.0;
    bool m_autostop = false;
    bool m_lines = false;
    std::string m_csv;
    bool m_force = false; // monitor: --csv may replace an existing file
    int64_t m_count = 0;  // monitor: page-33 frames to show before ending; 0 = until interrupted
    bool m_flash = false;
    bool m_allow_missing = false; // upload: send the defaults of keys the file lacks
    bool m_clamp = false;         // upload: send out-of-range values clamped into range
    bool m_strict = false;        // upload: refuse values outside the panel's ranges
    bool m_yes = false;
    bool m_no_backup = false;
    int64_t m_board = -1; // fwpack: device type the image is for
    int m_version = -1;   // fwpack: firmware version byte, major * 10 + minor
    std::string m_output;
    std::vector<std::string> m_operands;
};

struct CliParseResult {
    CliArgs m_args;
    std::string m_error; // non-empty: a usage error, to be shown with the help hint
};

// Parses the arguments that follow the program name.
CliParseResult ParseCliArgs(const std::vector<std::string>& arguments);

std::string ProgramHelp();
std::string CommandHelp(CliCommandId command);
std::string CommandName(CliCommandId command);
