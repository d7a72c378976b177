#include "sim/sim_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>

namespace {

template <typename T> std::optional<T> ParseNumber(const std::string& text)
{
    T value{};
    const char* end = text.data() + text.size();
    const int base = std::is_integral_v<T> && text.starts_with("0x") ? 16 : 10;
    const char* begin = text.data() + (base == 16 ? 2 : 0);
    std::from_chars_result result;
    if constexpr (std::is_integral_v<T>)
        result = std::from_chars(begin, end, value, base);
    else
        result = std::from_chars(begin, end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::vector<std::string> SplitList(const std::string& text)
{
    std::vector<std::string> items;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');)
        items.push_back(item);
    return items;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

using Setter = std::function<std::string(SimOptions&, const std::string&)>;

Setter Rate(double SimOptions::*field)
{
    return [field](SimOptions& options, const std::string& text) -> std::string {
        const auto value = ParseNumber<double>(text);
        if (!value || !(*value >= 0.0 && *value <= 1.0))
            return "expects a fraction from 0 to 1";
        options.*field = *value;
        return {};
    };
}

Setter Seconds(const std::function<void(SimOptions&, double)>& store)
{
    return [store](SimOptions& options, const std::string& text) -> std::string {
        const auto value = ParseNumber<double>(text);
        if (!value || !std::isfinite(*value) || *value < 0.0 || *value > 1e6)
            return "expects a number of seconds";
        store(options, *value);
        return {};
    };
}

// A comma-separated list of byte values in `low`..`high`.
Setter ByteList(std::vector<uint8_t> SimOptions::*field, int low, int high)
{
    return [field, low, high](SimOptions& options, const std::string& text) -> std::string {
        for (const std::string& item : SplitList(text)) {
            const auto value = ParseNumber<int>(item);
            if (!value || *value < low || *value > high)
                return "expects numbers from " + std::to_string(low) + " to " + std::to_string(high);
            (options.*field).push_back(static_cast<uint8_t>(*value));
        }
        return {};
    };
}

// Hardware fault names: the eight main-board flag bits, and the four status
// bytes with an optional value (default 0x01).
std::string AddHardwareFault(HardwareFaults& faults, const std::string& item)
{
    static const char* const kFlagNames[] = {"crys", "fmem", "sens", "mtr0", "mtr1", "mtr2", "led7", "led8"};
    const std::string name = Lower(item.substr(0, item.find('=')));
    for (int bit = 0; bit < 8; ++bit) {
        if (name == kFlagNames[bit] && item.find('=') == std::string::npos) {
            faults.main_flags |= static_cast<uint8_t>(1u << bit);
            return {};
        }
    }
    std::map<std::string, uint8_t*> status_bytes = {{"mtr0-status", &faults.mtr_status[0]},
                                                    {"mtr1-status", &faults.mtr_status[1]},
                                                    {"mtr2-status", &faults.mtr_status[2]},
                                                    {"sens-status", &faults.sens_status}};
    const auto it = status_bytes.find(name);
    if (it == status_bytes.end())
        return "unknown hardware fault '" + item + "'";
    std::optional<int> value = 1;
    if (item.find('=') != std::string::npos)
        value = ParseNumber<int>(item.substr(item.find('=') + 1));
    if (!value || *value < 1 || *value > 255)
        return "a status value must be 1 to 255";
    *it->second = static_cast<uint8_t>(*value);
    return {};
}

std::string SetPeriod(SimOptions& options, const std::string& text)
{
    const auto value = ParseNumber<double>(text);
    if (!value || !(*value >= 0.1 && *value <= 10000.0))
        return "expects milliseconds from 0.1 to 10000";
    options.period = std::chrono::microseconds(std::lround(*value * 1000.0));
    return {};
}

std::string SetBaud(SimOptions& options, const std::string& text)
{
    const auto value = ParseNumber<uint32_t>(text);
    if (!value || *value < 300 || *value > 12000000)
        return "expects a line rate from 300 to 12000000";
    options.baud = *value;
    return {};
}

// A percentage of the image at which a bootloader fault strikes.
Setter Percent(std::optional<double> SimOptions::*field)
{
    return [field](SimOptions& options, const std::string& text) -> std::string {
        const auto value = ParseNumber<double>(text);
        if (!value || !(*value >= 0.0 && *value <= 100.0))
            return "expects a percentage from 0 to 100";
        options.*field = *value;
        return {};
    };
}

template <typename T> Setter WholeNumber(T SimOptions::*field, T low, T high)
{
    return [field, low, high](SimOptions& options, const std::string& text) -> std::string {
        const auto value = ParseNumber<T>(text);
        if (!value || *value < low || *value > high)
            return "expects a whole number from " + std::to_string(low) + " to " + std::to_string(high);
        options.*field = *value;
        return {};
    };
}

std::string SetHangUpPage(SimOptions& options, const std::string& text)
{
    const auto value = ParseNumber<int>(text);
    if (!value || *value < 0 || *value > 255)
        return "expects a page from 0 to 255";
    options.hang_up_page = static_cast<uint8_t>(*value);
    return {};
}

std::string SetName(SimOptions& options, const std::string& text)
{
    if (!IsValidPortName(text))
        return "expects letters, digits, '.', '_' or '-', not starting with '.'";
    options.name = text;
    return {};
}

std::string SetStateFile(SimOptions& options, const std::string& text)
{
    if (text.empty())
        return "expects a file";
    options.state_file = text;
    return {};
}

const std::map<std::string, Setter>& ValueOptions()
{
    static const std::map<std::string, Setter> options = {
        {"--name", SetName},
        {"--state", SetStateFile},
        {"--replay",
         [](SimOptions& o, const std::string& t) {
             o.replay = t;
             return t.empty() ? "expects a file" : "";
         }},
        {"--period", SetPeriod},
        {"--cal-seconds", Seconds([](SimOptions& o, double s) { o.cal_seconds = s; })},
        {"--crc-error-rate", Rate(&SimOptions::crc_error_rate)},
        {"--drop-rate", Rate(&SimOptions::drop_rate)},
        {"--garbage-rate", Rate(&SimOptions::garbage_rate)},
        {"--silent-after", Seconds([](SimOptions& o, double s) { o.silent_after = s; })},
        {"--fail", ByteList(&SimOptions::failing_commands, 1, 127)},
        {"--ignore-page", ByteList(&SimOptions::ignored_pages, 0, 255)},
        {"--hang-up-at-page", SetHangUpPage},
        {"--hw-fault",
         [](SimOptions& o, const std::string& t) {
             for (const std::string& item : SplitList(t)) {
                 if (std::string error = AddHardwareFault(o.hardware_faults, item); !error.empty())
                     return error;
             }
             return std::string();
         }},
        {"--baud", SetBaud},
        {"--board-id", WholeNumber<uint32_t>(&SimOptions::board_id, 0, 0xFFFFFFFFu)},
        {"--firmware-version", WholeNumber<uint8_t>(&SimOptions::firmware_version, 0, 255)},
        {"--flash-kib", WholeNumber<uint32_t>(&SimOptions::flash_kib, 4, 16384)},
        {"--iap-corrupt-rate", Rate(&SimOptions::iap_corrupt_rate)},
        {"--iap-stall-at", Percent(&SimOptions::iap_stall_at)},
        {"--iap-power-cut-at", Percent(&SimOptions::iap_power_cut_at)},
        {"--seed",
         [](SimOptions& o, const std::string& t) {
             o.seed = ParseNumber<uint32_t>(t);
             return o.seed ? "" : "expects a whole number";
         }},
    };
    return options;
}

} // namespace

bool IsValidPortName(const std::string& name)
{
    if (name.empty() || name.size() > 64 || name[0] == '.')
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '.' || c == '_' || c == '-'; });
}

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args)
{
    SimOptionsResult result;
    SimOptions& options = result.options;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string flag = args[i];
        std::optional<std::string> value;
        if (const size_t equals = flag.find('='); flag.starts_with("--") && equals != std::string::npos) {
            value = flag.substr(equals + 1);
            flag.resize(equals);
        }
        if ((flag == "--help" || flag == "-h") && !value) {
            options.help = true;
        } else if (flag == "--no-cal" && !value) {
            options.no_cal = true;
        } else if (flag == "--unpaced" && !value) {
            options.unpaced = true;
        } else if (const auto setter = ValueOptions().find(flag); setter != ValueOptions().end()) {
            if (!value && i + 1 < args.size())
                value = args[++i];
            if (!value) {
                result.error = flag + " needs a value";
                return result;
            }
            if (std::string error = setter->second(options, *value); !error.empty()) {
                result.error = flag + " " + error;
                return result;
            }
        } else {
            result.error = "unknown option '" + args[i] + "'";
            return result;
        }
    }
    if (options.unpaced && options.baud != 0)
        result.error = "--unpaced and --baud exclude each other";
    return result;
}

ModelOptions ModelOptionsFrom(const SimOptions& options, uint32_t seed)
{
    ModelOptions model;
    model.calibration_time =
        std::chrono::duration_cast<SimDuration>(std::chrono::duration<double>(options.cal_seconds));
    model.failing_commands.insert(options.failing_commands.begin(), options.failing_commands.end());
    model.calibration_allowed = !options.no_cal;
    if (options.silent_after)
        model.silent_after =
            std::chrono::duration_cast<SimDuration>(std::chrono::duration<double>(*options.silent_after));
    model.ignored_pages.insert(options.ignored_pages.begin(), options.ignored_pages.end());
    model.hang_up_page = options.hang_up_page;
    model.hardware_faults = options.hardware_faults;
    model.seed = seed;
    model.main_version = options.firmware_version;
    return model;
}

LineFaultOptions LineFaultOptionsFrom(const SimOptions& options)
{
    return {options.crc_error_rate, options.drop_rate, options.garbage_rate};
}

BootloaderOptions BootloaderOptionsFrom(const SimOptions& options, uint32_t seed)
{
    BootloaderOptions bootloader;
    bootloader.board_id = options.board_id;
    bootloader.corrupt_rate = options.iap_corrupt_rate;
    bootloader.stall_at_percent = options.iap_stall_at;
    bootloader.power_cut_at_percent = options.iap_power_cut_at;
    bootloader.seed = seed;
    return bootloader;
}

std::string SimHelpText()
{
    return R"(Usage: orvane-sim [OPTION]...
Simulated gimbal controller on a pseudo-terminal. Prints the path of its port
as the first line, streams one frame per period and answers the PC's commands
and page requests until SIGINT or SIGTERM.

Port and state:
  --name NAME           publish the port as NAME (default orvane-sim-<pid>)
  --state FILE          parameter set kept by "save to flash"
                        (default <runtime>/orvane/<name or orvane-sim>.rkdp)
  --period MS           frame period in milliseconds (default 10)
  --baud B              pace bytes at B baud, 10 bits a byte, like a real line;
                        bytes from a PC port set to another rate are lost
  --unpaced             send frames as fast as the PC reads them
  --cal-seconds S       duration of a calibration (default 2)
  --seed N              seed of the noise and of the faults (default random)
  --replay FILE         live values from a recording (CSV of the window or of
                        orvane-cli monitor --csv), played at its own pace and
                        from the start again at its end

Firmware and bootloader:
  --board-id N          device type the bootloader reports (default 1)
  --firmware-version V  main board firmware at start, major*10+minor (default 23)
  --flash-kib N         program flash in KiB, 2 KiB pages (default 512)

Faults:
  --crc-error-rate R    fraction R (0..1) of frames sent with a corrupted CRC
  --drop-rate R         fraction R of bytes dropped
  --garbage-rate R      chance R of a random byte inserted before each byte
  --silent-after S      stop sending after S seconds
  --fail CODE[,CODE]    answer these command codes with the failure code
  --no-cal              calibrations are not allowed (and fail if asked for)
  --hw-fault NAME[,NAME]
                        report hardware faults: crys, fmem, sens, mtr0, mtr1,
                        mtr2, led7, led8 (main-board flags) or mtr0-status,
                        mtr1-status, mtr2-status, sens-status[=VALUE]
  --ignore-page N[,N]   never answer requests for page N
  --hang-up-at-page N   end, hanging up the port as an unplugged controller,
                        when the PC first asks for page N
  --iap-corrupt-rate R  fraction R of upgrade write packets arriving corrupted
  --iap-stall-at PCT    the bootloader stops answering once PCT% is written
  --iap-power-cut-at PCT
                        power fails once at PCT% of an upgrade; the controller
                        restarts in its bootloader
  -h, --help            show this text
)";
}
