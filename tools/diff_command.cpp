#include "cli_commands.h"
#include "param_diff.h"

ExitStatus RunDiffCommand(const CliArgs& args, CliOutput& output)
{
    GimbalParams records[2]{};
    for (size_t i = 0; i < 2; ++i) {
        const std::string error = ReadParamFile(args.m_operands[i], records[i]);
        if (!error.empty()) {
            return output.Fail(ExitStatus::kUsageError, error);
        }
    }
    const std::vector<ParamDifference> differences = DiffParams(records[0], records[1]);
    JsonValue json = JsonValue::MakeObject();
    json.Add("a", args.m_operands[0]).Add("b", args.m_operands[1]);
    json.Add("differences", DifferenceJson(differences, "a", "b"));
    output.Result(DifferenceLines(differences), json);
    return ExitStatus::kSuccess;
}
