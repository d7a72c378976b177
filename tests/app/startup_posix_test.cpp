#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A shell script stands in for the program: it tells how many arguments it
// got, through a file renamed into place once written. (The Windows version,
// with a batch file, is in tests/platform/process_win_test.cpp.)
TEST(LaunchProgram, StartsTheExecutableWithoutArguments)
{
    const fs::path dir = fs::temp_directory_path() / ("orvane-launch-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path script = dir / "relaunch.sh";
    const fs::path marker = dir / "started";
    std::ofstream(script) << "#!/bin/sh\necho \"$#\" > '" << marker.string() << ".tmp' && mv '"
                          << marker.string() << ".tmp' '" << marker.string() << "'\n";
    fs::permissions(script, fs::perms::owner_all);

    ASSERT_TRUE(LaunchProgram(script.string()));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(marker) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(fs::exists(marker));
    std::ifstream result(marker);
    std::string argument_count;
    result >> argument_count;
    EXPECT_EQ(argument_count, "0") << "the new instance gets no arguments";
    fs::remove_all(dir);
}

} // namespace
