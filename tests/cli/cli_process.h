#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Runs orvane-cli as a child process for the end-to-end tests of the
// command line.

struct ProcessResult {
    int m_exit_status = -1; // 128 plus the signal's number when one ended it
    std::string m_out;
    std::string m_err;
};

// Starts orvane-cli with `arguments`. `folder` is its runtime folder, where
// it finds the simulators the test published, and takes its standard output
// and error as files named after `tag`. Returns the child's id.
pid_t StartCli(const std::vector<std::string>& arguments, const std::string& folder, const std::string& tag);

// Waits for the orvane-cli started as `pid` and collects what it wrote.
ProcessResult FinishCli(pid_t pid, const std::string& folder, const std::string& tag);

// Runs orvane-cli to its end.
ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& folder);
