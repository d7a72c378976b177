#include "cli_commands.h"
#include "cli_connection.h"

#include "params/param_file.h"
#include "platform/output_file.h"
#include "resources/message_ids.h"

ExitStatus RunDownloadCommand(const CliArgs& args, CliOutput& output)
{
    const std::string& path = args.m_operands.front();
    // A folder or socket at the path is known before the gimbal is asked.
    if (const OutputTarget target = InspectOutput(path); target.kind == OutputKind::kRefused) {
        return output.Fail(ExitStatus::kUsageError, target.error);
    }
    CliConnection connection(args, output);
    const ExitStatus connected = connection.Connect();
    if (connected != ExitStatus::kSuccess) {
        return connected;
    }
    // The download every connection starts with is the one "Save Param" saves.
    if (!SaveParamFile(path, connection.Session().State().m_params.Snapshot())) {
        return output.Fail(ExitStatus::kUsageError, "cannot write '" + path + "'");
    }
    const std::string result = EnglishMessage(MessageId::kParamDownloadDone);
    output.Result(result + "\n", JsonValue::MakeObject().Add("result", result).Add("file", path));
    return ExitStatus::kSuccess;
}
