#include "platform/process.h"

#include "support/poll_until.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

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
    ASSERT_TRUE(PollUntil([&] { return fs::exists(marker); }, std::chrono::seconds(30)));
    std::ifstream result(marker);
    std::string argument_count;
    result >> argument_count;
    EXPECT_EQ(argument_count, "0") << "the new instance gets no arguments";
    fs::remove_all(dir);
}

} // namespace
