#include "cli_commands.h"
#include "cli_connection.h"
#include "interrupt_signal.h"
#include "port_resolution.h"
#include "terminal.h"

#include "libs/iap/firmware_file.h"
#include "libs/iap/upgrade_engine.h"
#include "params/param_backup.h"

#include <atomic>
#include <thread>

namespace {

struct Backup {
    ExitStatus m_status = ExitStatus::kSuccess;
    std::string m_path; // empty when none was written
    std::string m_note; // why there is none
};

// Downloads the parameter set as every connection does and writes it to the
// backup folder. A controller that does not answer may be waiting in its
// bootloader after an interrupted upgrade: there is nothing to back up then,
// and the upgrade goes on.
Backup BackUpParameters(const CliArgs& args, CliOutput& output, const std::string& device)
{
    GimbalSession session(args.m_period_ms, false);
    PortOpenResult why;
    if (!session.StartLink(device, args.m_baud, &why)) {
        return {output.Fail(ExitStatus::kUsageError, PortOpenFailedText(why, device, args.m_baud)), "", ""};
    }
    output.Progress("Backing up the parameters ...");
    const auto deadline = GimbalSession::Clock::now() +
                          std::chrono::milliseconds(static_cast<int64_t>(args.m_timeout_s * 1000));
    TransactionState& state = session.State();
    const bool answered = session.PumpUntil(
        [&] { return state.m_transfer_active == 0 && session.StatusPageCount() > 0; }, deadline);
    if (!answered) {
        return {ExitStatus::kSuccess, "",
                "no backup: the controller did not answer the parameter download (it may be waiting in its "
                "bootloader)"};
    }
    std::string error;
    const std::string path = WriteUpgradeBackup(state.m_params.Snapshot(), session.Telemetry().m_main_version,
                                                std::chrono::system_clock::now(), &error);
    if (path.empty()) {
        return {output.Fail(ExitStatus::kUsageError, error + "; nothing was upgraded (--no-backup to go on)"),
                "", ""};
    }
    return {ExitStatus::kSuccess, path, ""};
}

ExitStatus ExitStatusOf(UpgradeOutcome outcome)
{
    switch (outcome) {
    case UpgradeOutcome::kSuccess:
        return ExitStatus::kSuccess;
    case UpgradeOutcome::kDeviceTypeError:
    case UpgradeOutcome::kDeviceRefused:
        return ExitStatus::kGimbalFailure;
    case UpgradeOutcome::kTimedOut:
    case UpgradeOutcome::kCancelled:
        return ExitStatus::kTimeout;
    case UpgradeOutcome::kFileInvalid:
    case UpgradeOutcome::kPortOpenFailed:
    case UpgradeOutcome::kPortLost:
        break;
    }
    return ExitStatus::kUsageError;
}

// Progress for a person: a live line on a terminal, else a line per stage
// and per ten percent. Called on the upgrade's thread only.
class ProgressLine {
public:
    explicit ProgressLine(CliOutput& output) : m_output(output), m_live(StandardOutputIsTerminal()) {}

    void Show(int percent, const std::string& sentence)
    {
        if (m_output.IsJson()) {
            return;
        }
        const bool new_stage = sentence.rfind("Written ", 0) != 0;
        if (m_live) {
            m_output.Out() << "\r" << percent << "% " << sentence << std::string(8, ' ') << std::flush;
            m_shown = true;
        } else if (new_stage || percent / 10 != m_last_percent / 10) {
            m_output.Out() << percent << "% " << sentence << "\n" << std::flush;
        }
        m_last_percent = percent;
    }

    void End()
    {
        if (m_shown) {
            m_output.Out() << "\n";
        }
    }

private:
    CliOutput& m_output;
    bool m_live;
    bool m_shown = false;
    int m_last_percent = -1;
};

// Runs the upgrade on a thread of its own, so that Ctrl-C can stop it.
UpgradeResult RunInterruptibly(const UpgradeOptions& options, ProgressLine& progress)
{
    StopSignal stop;
    UpgradeResult result;
    std::atomic<bool> finished{false};
    InstallInterruptHandler();
    std::thread worker([&] {
        result = RunUpgrade(options, stop, {[&progress](int percent, const std::string& sentence) {
                                progress.Show(percent, sentence);
                            }});
        finished = true;
    });
    while (!finished) {
        if (InterruptRequested()) {
            stop.Signal();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    worker.join();
    progress.End();
    return result;
}

} // namespace

ExitStatus RunUpgradeCommand(const CliArgs& args, CliOutput& output)
{
    const std::string& path = args.m_operands.front();
    std::string error;
    const FirmwareFile file = LoadFirmwareFile(path, error);
    if (!error.empty()) {
        return output.Fail(ExitStatus::kUsageError, error + "; the controller was not touched");
    }
    const std::string device = ResolvePortPath(args.m_port);
    if (device.empty()) {
        return output.Fail(ExitStatus::kUsageError,
                           "no port named '" + args.m_port + "' (see 'orvane-cli ports')");
    }
    Backup backup;
    if (!args.m_no_backup) {
        backup = BackUpParameters(args, output, device);
        if (backup.m_status != ExitStatus::kSuccess) {
            return backup.m_status;
        }
        output.Progress(backup.m_path.empty() ? backup.m_note : "Parameters backed up to " + backup.m_path);
    }
    UpgradeOptions options;
    options.m_device = device;
    options.m_firmware_path = path;
    options.m_baud = args.m_baud;
    ProgressLine progress(output);
    const UpgradeResult result = RunInterruptibly(options, progress);
    const ExitStatus status = ExitStatusOf(result.m_outcome);
    if (status != ExitStatus::kSuccess) {
        return output.Fail(status, result.m_detail);
    }
    JsonValue json = JsonValue::MakeObject();
    json.Add("result", result.m_detail)
        .Add("board", static_cast<int64_t>(result.m_board_id))
        .Add("old_version",
             result.m_old_version == 0 ? JsonValue() : JsonValue(FirmwareVersionText(result.m_old_version)))
        .Add("new_version", FirmwareVersionText(result.m_new_version))
        .Add("resumed_from", static_cast<int64_t>(result.m_resumed_from))
        .Add("retransmissions", static_cast<int64_t>(result.m_retransmissions))
        .Add("backup", backup.m_path.empty() ? JsonValue() : JsonValue(backup.m_path));
    std::string text = result.m_detail + "\n";
    if (!backup.m_path.empty()) {
        text += "Your parameters are in " + backup.m_path + ": open and upload them after reconnecting.\n";
    }
    output.Result(text, json);
    return ExitStatus::kSuccess;
}
