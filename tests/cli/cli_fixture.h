#pragma once

#include "cli_process.h"

#include <filesystem>
#include <gtest/gtest.h>

// A temporary folder per test, removed afterwards.
class CliFixture : public testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string File(const std::string& name) const { return m_folder + "/" + name; }

    ProcessResult Cli(const std::vector<std::string>& arguments) const
    {
        return RunCliProcess(arguments, m_folder);
    }

    std::string m_folder = MakeTempFolder();
};
