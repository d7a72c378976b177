#include "cli_commands.h"
#include "cli_connection.h"
#include "param_diff.h"

#include "params/param_file_check.h"

#include "protocol/command_table.h"
#include "protocol/protocol_messages.h"

namespace {

ExitStatus Transfer(CliConnection& connection, bool upload)
{
    GimbalSession& session = connection.Session();
    TransactionState& state = session.State();
    const bool started =
        upload ? session.Transactions().StartUpload() : session.Transactions().StartDownload();
    if (!started) {
        return connection.ReportWaitFailure(upload ? "parameter upload" : "parameter download");
    }
    return connection.Await([&state] { return state.m_transfer_active == 0; },
                            upload ? "parameter upload" : "parameter download");
}

// "Save Param To Flash" and its acknowledgement. The failure code ends it
// with status 1, as any command the gimbal refuses.
ExitStatus SaveToFlash(CliConnection& connection, CliOutput& output, std::string& result)
{
    GimbalSession& session = connection.Session();
    const CommandRow& save = *FindCommandByName("save-flash");
    const uint64_t acks_before = session.AckCount();
    session.Transactions().RunCommand(save);
    const ExitStatus answered = connection.Await(
        [&session, acks_before] { return session.AckCount() > acks_before; }, "save to flash");
    if (answered != ExitStatus::kSuccess) {
        return answered;
    }
    const uint8_t ack = session.LastAckCode();
    result = EnglishMessage(FindAcknowledgement(ack)->message_id);
    if (ack >= kAckFailureOffset) {
        return output.Fail(ExitStatus::kGimbalFailure, result);
    }
    return ExitStatus::kSuccess;
}

// One line per problem: "  key=text: reason", or "  key: missing".
std::string ProblemLines(const std::vector<ParamFileProblem>& problems)
{
    std::string lines;
    for (const ParamFileProblem& problem : problems) {
        const std::string value = problem.text.empty() ? "" : "=" + problem.text;
        lines += "  " + problem.key + value + ": " + problem.reason + "\n";
    }
    return lines;
}

} // namespace

ExitStatus RunUploadCommand(const CliArgs& args, CliOutput& output)
{
    const std::string& path = args.m_operands.front();
    const StrictParamFile file = LoadParamFileStrictly(path);
    if (!file.read) {
        return output.Fail(ExitStatus::kUsageError, "cannot read '" + path + "'");
    }
    // The window shows what it loaded before anyone sends it; a script does
    // not, so whatever loading would take silently stops the upload.
    if (!file.problems.empty()) {
        return output.Fail(ExitStatus::kUsageError,
                           "'" + path + "' cannot be uploaded as it stands; nothing was uploaded:\n" +
                               ProblemLines(file.problems));
    }
    const GimbalParams& file_params = file.params;
    CliConnection connection(args, output);
    ExitStatus status = connection.Connect();
    if (status != ExitStatus::kSuccess) {
        return status;
    }
    GimbalSession& session = connection.Session();
    session.State().m_params.Replace(file_params);
    if ((status = Transfer(connection, true)) != ExitStatus::kSuccess) {
        return status;
    }
    JsonValue json = JsonValue::MakeObject();
    json.Add("result", EnglishMessage(kMsgParamUploadDone)).Add("file", path);
    std::string text = EnglishMessage(kMsgParamUploadDone) + "\n";
    if (args.m_flash) {
        std::string flash_result;
        if ((status = SaveToFlash(connection, output, flash_result)) != ExitStatus::kSuccess) {
            return status;
        }
        json.Add("flash", flash_result);
        text += flash_result + "\n";
    }
    if ((status = Transfer(connection, false)) != ExitStatus::kSuccess) {
        return status;
    }
    const std::vector<ParamDifference> differences =
        DiffParams(file_params, session.State().m_params.Snapshot());
    json.Add("differences", DifferenceJson(differences, "file", "gimbal"));
    text += differences.empty() ? "Read back: every field as in the file\n"
                                : "Read back: " + std::to_string(differences.size()) +
                                      " fields differ (key, file, gimbal)\n" + DifferenceLines(differences);
    output.Result(text, json);
    // The gimbal holds another set than the one sent: not a success.
    return differences.empty()
               ? ExitStatus::kSuccess
               : output.Fail(ExitStatus::kGimbalFailure, "the gimbal did not keep every uploaded value");
}
