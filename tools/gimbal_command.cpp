#include "cli_commands.h"
#include "cli_connection.h"

#include "protocol/command_table.h"
#include "resources/message_ids.h"

namespace {

std::string CommandNames()
{
    std::string names;
    for (const CommandRow& command : Commands()) {
        names += (names.empty() ? "" : " ") + std::string(command.name);
    }
    return names;
}

JsonValue Outcome(const CommandRow& command, std::string_view result, bool success)
{
    JsonValue json = JsonValue::MakeObject();
    json.Add("command", command.name)
        .Add("code", int{command.code})
        .Add("result", result)
        .Add("success", success);
    return json;
}

// Runs `command` on a connected gimbal and waits for its acknowledgement.
ExitStatus RunOnGimbal(const CommandRow& command, CliConnection& connection, CliOutput& output)
{
    GimbalSession& session = connection.Session();
    if (command.needs_cal_allowed) {
        // The calibration flag comes with the live status: wait for one.
        const ExitStatus live =
            connection.Await([&session] { return session.StatusPageCount() > 0; }, "first live status frame");
        if (live != ExitStatus::kSuccess) {
            return live;
        }
    }
    const uint64_t acks_before = session.AckCount();
    session.SetConfirmAnswer(true); // --yes was checked before connecting
    if (session.Transactions().RunCommand(command) == CommandOutcome::kConditionsNotSatisfied) {
        const std::string refusal = EnglishMessage(MessageId::kConditionsNotSatisfied);
        output.Result(refusal + "\n", Outcome(command, refusal, false));
        return ExitStatus::kGimbalFailure;
    }
    output.Progress(EnglishMessage(command.progress_message));
    const ExitStatus answered =
        connection.Await([&session, acks_before] { return session.AckCount() > acks_before; },
                         std::string(command.name) + " command");
    if (answered != ExitStatus::kSuccess) {
        return answered;
    }
    // Like the window, the first acknowledgement ends the command, whichever
    // code it carries; its message says what the gimbal answered.
    const uint8_t ack = session.LastAckCode();
    const std::optional<Acknowledgement> shown = FindAcknowledgement(ack);
    const std::string result = EnglishMessage(shown->message_id);
    const bool success = ack < kAckFailureOffset;
    JsonValue json = Outcome(command, result, success);
    json.Add("ack_code", int{ack});
    output.Result(result + "\n", json);
    return success ? ExitStatus::kSuccess : ExitStatus::kGimbalFailure;
}

} // namespace

ExitStatus RunGimbalCommand(const CliArgs& args, CliOutput& output)
{
    const std::string& name = args.m_operands.front();
    const CommandRow* command = FindCommandByName(name);
    if (command == nullptr) {
        return output.Fail(ExitStatus::kUsageError,
                           "unknown command name '" + name + "'; one of: " + CommandNames());
    }
    if (command->confirm_message != 0 && !args.m_yes) {
        return output.Fail(ExitStatus::kUsageError, name + " asks \"" +
                                                        EnglishMessage(command->confirm_message) +
                                                        "\": confirm with --yes");
    }
    CliConnection connection(args, output);
    const ExitStatus connected = connection.Connect();
    return connected == ExitStatus::kSuccess ? RunOnGimbal(*command, connection, output) : connected;
}
