#include "cli_commands.h"
#include "param_diff.h"

#include "params/param_file_check.h"

ExitStatus RunDiffCommand(const CliArgs& args, CliOutput& output)
{
    GimbalParams records[2]{};
    for (size_t i = 0; i < 2; ++i) {
        // Values a file holds badly are compared as loading reads them; a
        // file that is no parameter file is an error, not a set of defaults.
        StrictParamFile file = LoadParamFileStrictly(args.m_operands[i]);
        if (!file.error.empty()) {
            return output.Fail(ExitStatus::kUsageError, file.error);
        }
        records[i] = file.params;
    }
    const std::vector<FieldDifference> differences = DiffParams(records[0], records[1]);
    JsonValue json = JsonValue::MakeObject();
    json.Add("a", args.m_operands[0]).Add("b", args.m_operands[1]);
    json.Add("differences", DifferenceJson(differences, "a", "b"));
    output.Result(DifferenceLines(differences), json);
    // As diff(1) does: 0 when the sets are equal, 1 when they differ.
    return differences.empty() ? ExitStatus::kSuccess : ExitStatus::kSetsDiffer;
}
