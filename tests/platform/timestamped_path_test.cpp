#include "platform/timestamped_path.h"
#include "support/sample_local_time.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(TimestampedPath, NamesByLocalTimeAndCountsPastEverythingThatExists)
{
    ScratchFolder folder("stamped");
    const auto fresh = [&] {
        return FreshTimestampedPath(folder.Path().string(), "kept-", "-V2.3", ".x", SampleLocalTime());
    };
    EXPECT_EQ(fresh(), folder.File("kept-20261209-183012-V2.3.x"));
    WriteWholeFile(fresh(), "first");
    EXPECT_EQ(fresh(), folder.File("kept-20261209-183012-V2.3-2.x"));
}

} // namespace
