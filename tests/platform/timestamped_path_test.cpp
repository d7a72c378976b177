#include "platform/timestamped_path.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace {

// 2026-12-09 18:30:12 local time.
std::chrono::system_clock::time_point SampleTime()
{
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 9;
    local.tm_hour = 18;
    local.tm_min = 30;
    local.tm_sec = 12;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(TimestampedPath, NamesByLocalTimeAndCountsPastEverythingThatExists)
{
    ScratchFolder folder("stamped");
    const auto fresh = [&] {
        return FreshTimestampedPath(folder.Path().string(), "kept-", "-V2.3", ".x", SampleTime());
    };
    EXPECT_EQ(fresh(), folder.File("kept-20261209-183012-V2.3.x"));
    WriteWholeFile(fresh(), "first");
    EXPECT_EQ(fresh(), folder.File("kept-20261209-183012-V2.3-2.x"));
    // A link to nothing still holds its name: writing through it would land elsewhere.
    std::filesystem::create_symlink(folder.File("gone"), fresh());
    EXPECT_EQ(fresh(), folder.File("kept-20261209-183012-V2.3-3.x"));
}

} // namespace
