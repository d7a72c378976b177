#include "cli_run.h"

#include "cli_commands.h"

#include <array>

namespace {

using CommandFunction = ExitStatus (*)(const CliArgs& args, CliOutput& output);

// Indexed by CliCommandId.
constexpr std::array<CommandFunction, 9> kCommandFunctions{
    RunPortsCommand, RunMonitorCommand, RunDownloadCommand, RunUploadCommand, RunGimbalCommand,
    RunDiffCommand,  RunUpgradeCommand, RunFwinfoCommand,   RunFwpackCommand,
};

} // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const CliParseResult parsed = ParseCliArgs(arguments);
    const CliArgs& args = parsed.m_args;
    if (!parsed.m_error.empty()) {
        const std::string help = args.m_command ? " " + CommandName(*args.m_command) : std::string{};
        err << "orvane-cli: " << parsed.m_error << "\nRun 'orvane-cli" << help << " --help' for usage.\n";
        return ToInt(ExitStatus::kUsageError);
    }
    if (args.m_help) {
        out << (args.m_command ? CommandHelp(*args.m_command) : ProgramHelp());
        return ToInt(ExitStatus::kSuccess);
    }
    CliOutput output(out, err, args.m_json);
    return ToInt(kCommandFunctions[static_cast<size_t>(*args.m_command)](args, output));
}
