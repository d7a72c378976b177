#include "cli_args.h"

#include "protocol/command_table.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string_view>

namespace {

// Bit set of the commands an option applies to.
constexpr unsigned Bit(CliCommandId command)
{
    return 1u << static_cast<unsigned>(command);
}
constexpr unsigned kConnecting = Bit(CliCommandId::kMonitor) | Bit(CliCommandId::kDownload) |
                                 Bit(CliCommandId::kUpload) | Bit(CliCommandId::kCommand) |
                                 Bit(CliCommandId::kUpgrade);
constexpr unsigned kAll = kConnecting | Bit(CliCommandId::kPorts) | Bit(CliCommandId::kDiff) |
                          Bit(CliCommandId::kFwinfo) | Bit(CliCommandId::kFwpack);

struct CliCommandInfo {
    CliCommandId m_id;
    std::string_view m_name;
    std::string_view m_operands; // as shown in the usage line
    size_t m_operand_count;
    std::string_view m_summary;
    std::string_view m_details;
};

constexpr std::array kCommands{
    CliCommandInfo{CliCommandId::kPorts, "ports", "", 0, "list the serial ports (name and device path)",
                   "Lists the serial ports as the window's port box does, one per line: the name,\n"
                   "then the device path. Either may be given to --port.\n"},
    CliCommandInfo{CliCommandId::kMonitor, "monitor", "", 0, "show the live telemetry",
                   "Connects (every connection starts with a parameter download, as in the window),\n"
                   "then shows the decoded telemetry of each page-33 frame: a live line on a\n"
                   "terminal, one line per frame with --lines, with --json or into a pipe or file.\n"
                   "--csv records every decoded frame; the file appears with the first frame and\n"
                   "never replaces an existing file without --force.\n"
                   "Ends on Ctrl-C, after --count frames, or with status 2 when no live status\n"
                   "page comes for --timeout seconds.\n"},
    CliCommandInfo{CliCommandId::kDownload, "download", "FILE.rkdp", 1,
                   "read the gimbal's parameters into a file",
                   "Connects, downloads the parameter set and writes it to FILE.rkdp exactly as\n"
                   "\"Save Param\" writes it after a download.\n"},
    CliCommandInfo{CliCommandId::kUpload, "upload", "FILE.rkdp", 1, "write a parameter file to the gimbal",
                   "Opens FILE.rkdp as \"Open Param\" does, uploads pages 1 to 6, with --flash\n"
                   "saves the set to flash and waits for the acknowledgement, then downloads\n"
                   "again and reports every field that differs from the file (status 1).\n"
                   "Every value goes out exactly as the file states it, so a set written by\n"
                   "download goes back byte for byte, to the same gimbal or another.\n"
                   "Nothing is uploaded (status 3) when a key is missing (unless\n"
                   "--allow-missing), a value is not wholly a number, the frame cannot carry a\n"
                   "value as written (300 or -1 in a byte, a second decimal, a fraction where\n"
                   "whole numbers travel; --clamp moves it into the panel's range), or the\n"
                   "motor calibration block is missing or fails its check. A value the frame\n"
                   "carries exactly but the window's panel would refuse (a sensor sign of -1,\n"
                   "a stall power of 150, as a gimbal may report them) is sent as written and\n"
                   "listed as a warning; --strict refuses it instead, --clamp moves it into\n"
                   "range.\n"},
    CliCommandInfo{CliCommandId::kCommand, "command", "NAME", 1, "run one gimbal command",
                   "Runs one command by name and prints the gimbal's answer. Commands marked\n"
                   "'confirm' need --yes; those marked 'guarded' wait for the first live status\n"
                   "frame and are refused (\"Conditions Not Satisfied\", status 1) unless the\n"
                   "gimbal allows calibration.\n"},
    CliCommandInfo{CliCommandId::kDiff, "diff", "A.rkdp B.rkdp", 2, "compare two parameter files",
                   "Lists the fields that differ between two parameter files, by key, with both\n"
                   "values. Status 0 when the sets are equal, 1 when they differ (as diff does),\n"
                   "3 when a file cannot be read or is not a parameter file.\n"},
    CliCommandInfo{CliCommandId::kUpgrade, "upgrade", "FILE.cahf", 1, "install a firmware file",
                   "Checks the firmware file completely, backs the parameter set up (a download,\n"
                   "written to the backup folder; not with --no-backup), then brings the\n"
                   "controller into its bootloader, writes, verifies and starts the new firmware.\n"
                   "A wrong board or an image too large for the flash is refused before anything\n"
                   "is erased (status 1). An interrupted upgrade (time-out, lost port, Ctrl-C)\n"
                   "leaves the controller waiting in its bootloader: run the same upgrade again\n"
                   "and it resumes. Status 2 for a time-out or Ctrl-C.\n"},
    CliCommandInfo{CliCommandId::kFwinfo, "fwinfo", "FILE.cahf", 1, "show what a firmware file holds",
                   "Checks a firmware file (magic, header checksum, sizes, SHA-256 of the image)\n"
                   "and shows its board, version, image size and hash. Status 3 when it fails.\n"},
    CliCommandInfo{CliCommandId::kFwpack, "fwpack", "IMAGE", 1, "make a firmware file from an image",
                   "Wraps a binary image in a firmware file for the board given by --board, with\n"
                   "the version given by --version (2.4 or 24), written to --output (or -o).\n"},
};

using ApplyOption = std::string (*)(CliArgs& args, std::string_view value);

struct CliOptionInfo {
    std::string_view m_name;
    std::string_view m_value; // placeholder of the value; empty for a switch
    unsigned m_commands;
    std::string_view m_help;
    ApplyOption m_apply;
};

// Shortest text that reads back as `value`: 0.001, 86400, 4000000.
template <typename Number> std::string NumberText(Number value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// The whole text as one number within [min, max]. The range test is written
// so that NaN, which from_chars reads from "nan" and which fails every
// comparison, is refused rather than passed through; infinities lie outside
// every range.
template <typename Number> std::string ParseNumber(std::string_view text, Number min, Number max, Number& out)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !(min <= value && value <= max)) {
        return "invalid value '" + std::string(text) + "' (accepts " + NumberText(min) + ".." +
               NumberText(max) + ")";
    }
    out = value;
    return {};
}

// "2.4" (major.minor, each one digit) or the version byte "24".
std::string ParseVersion(std::string_view text, int& out)
{
    if (text.size() == 3 && text[1] == '.' && std::isdigit(static_cast<unsigned char>(text[0])) &&
        std::isdigit(static_cast<unsigned char>(text[2]))) {
        out = (text[0] - '0') * 10 + (text[2] - '0');
        return {};
    }
    return ParseNumber(text, 0, 255, out);
}

const std::array kOptions{
    CliOptionInfo{"--port", "P", kConnecting, "device path or name as 'ports' lists it",
                  [](CliArgs& a, std::string_view v) {
                      a.m_port = v;
                      return std::string{};
                  }},
    CliOptionInfo{"--baud", "N", kConnecting, "baud rate (default 115200)",
                  [](CliArgs& a, std::string_view v) { return ParseNumber(v, 1, 4000000, a.m_baud); }},
    CliOptionInfo{"--period", "MS", kConnecting, "send period in milliseconds (default 10)",
                  [](CliArgs& a, std::string_view v) { return ParseNumber(v, 1, 1000, a.m_period_ms); }},
    CliOptionInfo{
        "--timeout", "S", kConnecting, "seconds to wait for each transaction (default 5)",
        [](CliArgs& a, std::string_view v) { return ParseNumber(v, 0.001, 86400.0, a.m_timeout_s); }},
    CliOptionInfo{"--autostop", "", kConnecting, "stop the gimbal on connecting and after 100 silent ticks",
                  [](CliArgs& a, std::string_view) {
                      a.m_autostop = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--lines", "", Bit(CliCommandId::kMonitor),
                  "one line per page-33 frame (always so into a pipe or file)",
                  [](CliArgs& a, std::string_view) {
                      a.m_lines = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--csv", "FILE", Bit(CliCommandId::kMonitor), "record every decoded frame to FILE",
                  [](CliArgs& a, std::string_view v) {
                      a.m_csv = v;
                      return v.empty() ? std::string("empty file name") : std::string{};
                  }},
    CliOptionInfo{"--force", "", Bit(CliCommandId::kMonitor), "let --csv replace an existing file",
                  [](CliArgs& a, std::string_view) {
                      a.m_force = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--count", "N", Bit(CliCommandId::kMonitor), "end after N page-33 frames",
                  [](CliArgs& a, std::string_view v) {
                      return ParseNumber(v, int64_t{0}, int64_t{1} << 40, a.m_count);
                  }},
    CliOptionInfo{"--flash", "", Bit(CliCommandId::kUpload), "save the uploaded set to flash",
                  [](CliArgs& a, std::string_view) {
                      a.m_flash = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--allow-missing", "", Bit(CliCommandId::kUpload),
                  "send the defaults of keys the file lacks, and list them",
                  [](CliArgs& a, std::string_view) {
                      a.m_allow_missing = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--clamp", "", Bit(CliCommandId::kUpload),
                  "send out-of-range values as the nearest accepted value, and list them",
                  [](CliArgs& a, std::string_view) {
                      a.m_clamp = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--strict", "", Bit(CliCommandId::kUpload),
                  "refuse values outside the ranges the window's panel accepts",
                  [](CliArgs& a, std::string_view) {
                      a.m_strict = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--yes", "", Bit(CliCommandId::kCommand), "confirm a command the window asks about",
                  [](CliArgs& a, std::string_view) {
                      a.m_yes = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--no-backup", "", Bit(CliCommandId::kUpgrade),
                  "skip the parameter backup before upgrading",
                  [](CliArgs& a, std::string_view) {
                      a.m_no_backup = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--board", "N", Bit(CliCommandId::kFwpack), "device type the image is built for",
                  [](CliArgs& a, std::string_view v) {
                      return ParseNumber(v, int64_t{0}, int64_t{0xFFFFFFFF}, a.m_board);
                  }},
    CliOptionInfo{"--version", "V", Bit(CliCommandId::kFwpack), "firmware version, 2.4 or 24",
                  [](CliArgs& a, std::string_view v) { return ParseVersion(v, a.m_version); }},
    CliOptionInfo{"--output", "FILE", Bit(CliCommandId::kFwpack), "the firmware file to write (also -o)",
                  [](CliArgs& a, std::string_view v) {
                      a.m_output = v;
                      return v.empty() ? std::string("empty file name") : std::string{};
                  }},
    CliOptionInfo{"--json", "", kAll, "machine-readable output (JSON)",
                  [](CliArgs& a, std::string_view) {
                      a.m_json = true;
                      return std::string{};
                  }},
    CliOptionInfo{"--help", "", kAll, "show this help",
                  [](CliArgs& a, std::string_view) {
                      a.m_help = true;
                      return std::string{};
                  }},
};

const CliCommandInfo* FindCommand(std::string_view name)
{
    for (const CliCommandInfo& command : kCommands) {
        if (command.m_name == name) {
            return &command;
        }
    }
    return nullptr;
}

const CliCommandInfo& InfoOf(CliCommandId id)
{
    return kCommands[static_cast<size_t>(id)];
}

const CliOptionInfo* FindOption(std::string_view name)
{
    for (const CliOptionInfo& option : kOptions) {
        if (option.m_name == name) {
            return &option;
        }
    }
    return nullptr;
}

bool Accepts(const CliOptionInfo& option, std::optional<CliCommandId> command)
{
    if (!command) {
        return option.m_name == "--help" || option.m_name == "--json";
    }
    return (option.m_commands & Bit(*command)) != 0;
}

// The short form of --output, as compilers spell it.
constexpr std::string_view kShortOutput = "-o";

// Applies one "--name", "--name=value" or "--name value" argument; `next` is
// advanced when the value is the following argument.
std::string ApplyOptionArgument(const std::vector<std::string>& arguments, size_t& next, CliArgs& args)
{
    const std::string_view argument = arguments[next++];
    const size_t equals = argument == kShortOutput ? std::string_view::npos : argument.find('=');
    const std::string_view name = argument == kShortOutput ? "--output" : argument.substr(0, equals);
    const CliOptionInfo* option = FindOption(name);
    if (option == nullptr || !Accepts(*option, args.m_command)) {
        return "unknown option '" + std::string(name) + "'";
    }
    if (option->m_value.empty()) {
        if (equals != std::string_view::npos) {
            return "option '" + std::string(name) + "' takes no value";
        }
        return option->m_apply(args, {});
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
        value = argument.substr(equals + 1);
    } else if (next < arguments.size()) {
        value = arguments[next++];
    } else {
        return "option '" + std::string(name) + "' needs a value";
    }
    const std::string error = option->m_apply(args, value);
    return error.empty() ? error : std::string(name) + ": " + error;
}

std::string CheckComplete(const CliArgs& args)
{
    if (args.m_help) {
        return {};
    }
    if (!args.m_command) {
        return "no command given";
    }
    const CliCommandInfo& info = InfoOf(*args.m_command);
    if (args.m_operands.size() != info.m_operand_count) {
        return std::string(info.m_name) + " expects " +
               (info.m_operand_count == 0 ? std::string("no arguments") : std::string(info.m_operands));
    }
    if ((kConnecting & Bit(*args.m_command)) != 0 && args.m_port.empty()) {
        return std::string(info.m_name) + " needs --port";
    }
    if (args.m_command == CliCommandId::kFwpack &&
        (args.m_board < 0 || args.m_version < 0 || args.m_output.empty())) {
        return "fwpack needs --board, --version and --output";
    }
    return {};
}

std::string OptionLines(std::optional<CliCommandId> command)
{
    std::string text;
    for (const CliOptionInfo& option : kOptions) {
        if (!Accepts(option, command)) {
            continue;
        }
        std::string left = "  " + std::string(option.m_name);
        if (!option.m_value.empty()) {
            left += " " + std::string(option.m_value);
        }
        left.resize(std::max<size_t>(left.size() + 2, 18), ' ');
        text += left + std::string(option.m_help) + "\n";
    }
    return text;
}

// The command table's names with the window's caption of each.
std::string GimbalCommandLines()
{
    std::string text;
    for (const CommandRow& command : Commands()) {
        std::string line = "  " + std::string(command.name);
        line.resize(18, ' ');
        line += command.caption;
        std::string marks = command.confirm_message != 0 ? "confirm" : "";
        if (command.needs_cal_allowed) {
            marks += marks.empty() ? "guarded" : ", guarded";
        }
        line += marks.empty() ? "" : "  (" + marks + ")";
        text += line + "\n";
    }
    return text;
}

constexpr std::string_view kExitStatusHelp =
    "Exit status: 0 success, 1 the gimbal reported a failure or did not keep\n"
    "an uploaded value (diff: the sets differ), 2 time-out,\n"
    "3 usage, file or port error.\n";

} // namespace

CliParseResult ParseCliArgs(const std::vector<std::string>& arguments)
{
    CliParseResult result;
    CliArgs& args = result.m_args;
    size_t next = 0;
    while (next < arguments.size()) {
        const std::string& argument = arguments[next];
        if (argument.starts_with("--") || argument == kShortOutput) {
            result.m_error = ApplyOptionArgument(arguments, next, args);
        } else if (!args.m_command && argument == "help") {
            // "help" alone, or "help NAME" for the help of one command.
            args.m_help = true;
            ++next;
            if (next < arguments.size()) {
                const CliCommandInfo* topic = FindCommand(arguments[next++]);
                if (topic == nullptr) {
                    result.m_error = "unknown command '" + arguments[next - 1] + "'";
                } else {
                    args.m_command = topic->m_id;
                }
            }
        } else if (!args.m_command) {
            const CliCommandInfo* command = FindCommand(argument);
            if (command == nullptr) {
                result.m_error = "unknown command '" + argument + "'";
            } else {
                args.m_command = command->m_id;
            }
            ++next;
        } else {
            args.m_operands.push_back(argument);
            ++next;
        }
        if (!result.m_error.empty()) {
            return result;
        }
    }
    result.m_error = CheckComplete(args);
    return result;
}

std::string CommandName(CliCommandId command)
{
    return std::string(InfoOf(command).m_name);
}

std::string ProgramHelp()
{
    std::string text = "Usage: orvane-cli COMMAND [OPTIONS]\n\n"
                       "Talks to a gimbal controller over its serial port, as the Orvane window does.\n\n"
                       "Commands:\n";
    for (const CliCommandInfo& command : kCommands) {
        std::string left = "  " + std::string(command.m_name);
        left.resize(12, ' ');
        text += left + std::string(command.m_summary) + "\n";
    }
    text += "\nOptions:\n" + OptionLines(std::nullopt);
    text += "\nRun 'orvane-cli COMMAND --help' for the options of a command.\n";
    return text + std::string(kExitStatusHelp);
}

std::string CommandHelp(CliCommandId command)
{
    const CliCommandInfo& info = InfoOf(command);
    std::string text = "Usage: orvane-cli " + std::string(info.m_name);
    if (!info.m_operands.empty()) {
        text += " " + std::string(info.m_operands);
    }
    text += (kConnecting & Bit(command)) != 0 ? " --port P [OPTIONS]\n\n" : " [OPTIONS]\n\n";
    text += std::string(info.m_details);
    if (command == CliCommandId::kCommand) {
        text += "\nNames:\n" + GimbalCommandLines();
    }
    text += "\nOptions:\n" + OptionLines(command);
    return text + "\n" + std::string(kExitStatusHelp);
}
