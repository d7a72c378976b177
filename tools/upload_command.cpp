#include "cli_commands.h"
#include "cli_connection.h"
#include "param_diff.h"

#include "params/param_fields.h"
#include "params/param_file_check.h"
#include "protocol/command_table.h"
#include "protocol/protocol_frame.h"
#include "resources/message_ids.h"

#include <algorithm>
#include <optional>

namespace {

// The steps of an upload that have succeeded, so that a failure names the
// step it stopped in and what the gimbal already holds.
class UploadSteps {
public:
    // "read-back download (completed: parameter upload, save to flash)"
    std::string Describe(const std::string& step) const
    {
        std::string text = step;
        for (size_t i = 0; i < m_done.size(); ++i) {
            text += (i == 0 ? " (completed: " : ", ") + m_done[i];
        }
        return m_done.empty() ? text : text + ")";
    }
    void Complete(std::string step) { m_done.push_back(std::move(step)); }

private:
    std::vector<std::string> m_done;
};

// Waits until the transfer ends; `started` is false when it could not begin.
ExitStatus AwaitTransfer(CliConnection& connection, bool started, const std::string& what)
{
    if (!started) {
        return connection.ReportWaitFailure(what);
    }
    const TransactionState& state = connection.Session().State();
    return connection.Await([&state] { return state.m_transfer_active == 0; }, what);
}

// Catches the acknowledgement of one command, its success or its failure
// code; the answer to any other command (a late stop, say) does not count.
class AnswerWatch : public SessionObserver {
public:
    explicit AnswerWatch(uint8_t command_code) : m_code(command_code) {}

    void OnFrameDecoded(const ProtocolFrame& frame, bool) override
    {
        const uint8_t ack = frame[kFrameCodeOffset];
        if (ack == m_code || ack == m_code + kAckFailureOffset) {
            m_answer = ack;
        }
    }

    const std::optional<uint8_t>& Answer() const { return m_answer; }

private:
    uint8_t m_code;
    std::optional<uint8_t> m_answer;
};

// "Save Param To Flash" and its acknowledgement. The failure code ends it
// with status 1, as any command the gimbal refuses.
ExitStatus SaveToFlash(CliConnection& connection, CliOutput& output, const UploadSteps& steps,
                       std::string& result)
{
    GimbalSession& session = connection.Session();
    const CommandRow& save = *FindCommandByName("save-flash");
    AnswerWatch watch(save.code);
    session.SetObserver(&watch);
    session.Transactions().RunCommand(save);
    const ExitStatus answered =
        connection.Await([&watch] { return watch.Answer().has_value(); }, steps.Describe("save to flash"));
    session.SetObserver(nullptr);
    if (answered != ExitStatus::kSuccess) {
        return answered;
    }
    const uint8_t ack = *watch.Answer();
    result = EnglishMessage(FindAcknowledgement(ack)->message_id);
    if (ack >= kAckFailureOffset) {
        return output.Fail(ExitStatus::kGimbalFailure,
                           result + "; the upload to the gimbal's working memory had succeeded, "
                                    "so the gimbal runs the new set until it restarts");
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

std::string RefusalText(const std::string& path, const std::vector<ParamFileProblem>& refused)
{
    const bool strict = std::any_of(refused.begin(), refused.end(), [](const ParamFileProblem& problem) {
        return problem.kind == ParamProblemKind::OutOfRange;
    });
    const bool waivable = std::any_of(refused.begin(), refused.end(), [](const ParamFileProblem& problem) {
        return problem.kind == ParamProblemKind::Missing;
    });
    return "'" + path + "' cannot be uploaded as it stands; nothing was uploaded:\n" + ProblemLines(refused) +
           (waivable ? "--allow-missing sends the defaults of the missing keys\n" : "") +
           (strict ? "without --strict, values outside the panel's ranges go out as written\n" : "");
}

// A missing key whose default --allow-missing lets go out.
struct SentDefault {
    std::string key;
    std::string value;
};

// The problems that stop the upload, the defaults that go out instead, and
// the values sent as written although the panel would refuse them.
struct FileVerdict {
    std::vector<ParamFileProblem> refused;
    std::vector<SentDefault> defaults;
    std::vector<ParamFileProblem> warnings;
};

FileVerdict Judge(const StrictParamFile& file, const CliArgs& args)
{
    FileVerdict verdict;
    for (const ParamFileProblem& problem : file.problems) {
        if (args.m_allow_missing && problem.kind == ParamProblemKind::Missing) {
            verdict.defaults.push_back({problem.key, FindParamField(problem.key)->default_text});
        } else if (!args.m_strict && problem.kind == ParamProblemKind::OutOfRange) {
            verdict.warnings.push_back(problem);
        } else {
            verdict.refused.push_back(problem);
        }
    }
    return verdict;
}

JsonValue WarningsJson(const std::vector<ParamFileProblem>& warnings)
{
    JsonValue list = JsonValue::Array{};
    for (const ParamFileProblem& warning : warnings) {
        list.Push(JsonValue::MakeObject()
                      .Add("key", warning.key)
                      .Add("value", warning.text)
                      .Add("reason", warning.reason));
    }
    return list;
}

std::string WarningLines(const std::vector<ParamFileProblem>& warnings)
{
    if (warnings.empty()) {
        return {};
    }
    return "Warning: sent as written, outside the window panel's ranges (" + std::to_string(warnings.size()) +
           " values; --strict refuses them):\n" + ProblemLines(warnings);
}

JsonValue DefaultsJson(const std::vector<SentDefault>& defaults)
{
    JsonValue list = JsonValue::Array{};
    for (const SentDefault& entry : defaults) {
        list.Push(JsonValue::MakeObject().Add("key", entry.key).Add("value", entry.value));
    }
    return list;
}

std::string DefaultLines(const std::vector<SentDefault>& defaults)
{
    if (defaults.empty()) {
        return {};
    }
    std::string text = "Defaults sent for " + std::to_string(defaults.size()) + " missing keys:\n";
    for (const SentDefault& entry : defaults) {
        text += "  " + entry.key + "=" + entry.value + "\n";
    }
    return text;
}

JsonValue ClampedJson(const std::vector<ClampedValue>& clamped)
{
    JsonValue list = JsonValue::Array{};
    for (const ClampedValue& change : clamped) {
        list.Push(
            JsonValue::MakeObject().Add("key", change.key).Add("file", change.from).Add("sent", change.to));
    }
    return list;
}

std::string ClampedLines(const std::vector<ClampedValue>& clamped)
{
    if (clamped.empty()) {
        return {};
    }
    std::string text = "Clamped " + std::to_string(clamped.size()) + " values (key, file, sent):\n";
    for (const ClampedValue& change : clamped) {
        text += "  " + change.key + "\t" + change.from + "\t" + change.to + "\n";
    }
    return text;
}

} // namespace

ExitStatus RunUploadCommand(const CliArgs& args, CliOutput& output)
{
    const std::string& path = args.m_operands.front();
    StrictParamFile file = LoadParamFileStrictly(path);
    if (!file.error.empty()) {
        return output.Fail(ExitStatus::kUsageError, file.error);
    }
    const std::vector<ClampedValue> clamped =
        args.m_clamp ? ClampOutOfRangeValues(file) : std::vector<ClampedValue>{};
    // The window shows what it loaded before anyone sends it; a script does
    // not, so whatever loading would take silently stops the upload.
    const FileVerdict verdict = Judge(file, args);
    if (!verdict.refused.empty()) {
        return output.Fail(ExitStatus::kUsageError, RefusalText(path, verdict.refused));
    }
    CliConnection connection(args, output);
    ExitStatus status = connection.Connect();
    if (status != ExitStatus::kSuccess) {
        return status;
    }
    GimbalSession& session = connection.Session();
    UploadSteps steps;
    if ((status = AwaitTransfer(connection, session.Transactions().StartUpload(file.params),
                                steps.Describe("parameter upload"))) != ExitStatus::kSuccess) {
        return status;
    }
    steps.Complete("parameter upload");
    JsonValue json = JsonValue::MakeObject();
    json.Add("result", EnglishMessage(MessageId::kParamUploadDone)).Add("file", path);
    json.Add("defaults", DefaultsJson(verdict.defaults)).Add("clamped", ClampedJson(clamped));
    json.Add("warnings", WarningsJson(verdict.warnings));
    std::string text = EnglishMessage(MessageId::kParamUploadDone) + "\n" + DefaultLines(verdict.defaults) +
                       ClampedLines(clamped) + WarningLines(verdict.warnings);
    if (args.m_flash) {
        std::string flash_result;
        if ((status = SaveToFlash(connection, output, steps, flash_result)) != ExitStatus::kSuccess) {
            return status;
        }
        steps.Complete("save to flash");
        json.Add("flash", flash_result);
        text += flash_result + "\n";
    }
    if ((status = AwaitTransfer(connection, session.Transactions().StartDownload(),
                                steps.Describe("read-back download"))) != ExitStatus::kSuccess) {
        return status;
    }
    const std::vector<FieldDifference> differences =
        DiffParams(file.params, session.State().m_params.Snapshot());
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
