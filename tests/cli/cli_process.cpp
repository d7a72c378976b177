#include "cli_process.h"

#include "support/child_process.h"
#include "support/scratch_folder.h"

#include <chrono>

namespace {

std::string StreamFile(const std::string& folder, const std::string& tag, const char* stream)
{
    return folder + "/" + tag + "." + stream;
}

} // namespace

pid_t StartCli(const std::vector<std::string>& arguments, const std::string& folder, const std::string& tag)
{
    ChildStreams streams;
    streams.ToFile(STDOUT_FILENO, StreamFile(folder, tag, "out"));
    streams.ToFile(STDERR_FILENO, StreamFile(folder, tag, "err"));
    return SpawnChild(ORVANE_CLI_PATH, arguments, folder, streams);
}

ProcessResult FinishCli(pid_t pid, const std::string& folder, const std::string& tag)
{
    // Far beyond any command's own time-out: only a hung program meets it.
    const int status = ReapChild(pid, std::chrono::minutes(1));
    return {ExitCode(status), ReadWholeFile(StreamFile(folder, tag, "out")),
            ReadWholeFile(StreamFile(folder, tag, "err"))};
}

ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& folder)
{
    return FinishCli(StartCli(arguments, folder, "cli"), folder, "cli");
}
