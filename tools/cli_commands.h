#pragma once

#include "cli_args.h"
#include "cli_output.h"

// One function per command of orvane-cli; each returns the exit status.
ExitStatus RunPortsCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunMonitorCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunDownloadCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunUploadCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunGimbalCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunDiffCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunUpgradeCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunFwinfoCommand(const CliArgs& args, CliOutput& output);
ExitStatus RunFwpackCommand(const CliArgs& args, CliOutput& output);
