#pragma once

#include "cli_process.h"
#include "support/scratch_folder.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// A scratch folder per test: the runtime folder of the simulated gimbals
// and of every orvane-cli the test runs, and the home of its files.
class CliFixture : public testing::Test {
protected:
    std::string File(const std::string& name) const { return m_folder.File(name); }
    std::string Folder() const { return m_folder.Path().string(); }

    ProcessResult Cli(const std::vector<std::string>& arguments) const { return RunCli(arguments, Folder()); }

    // A simulated gimbal with the given fault options, on a fixed seed so
    // that a noisy line misbehaves alike on every run.
    SimProcess Gimbal(std::vector<std::string> options = {}) const
    {
        options.insert(options.end(), {"--seed", "7"});
        return SimProcess(m_folder.Path(), std::move(options));
    }

    ScratchFolder m_folder{"cli-test"};
};
