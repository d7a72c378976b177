#include "platform/timestamped_path.h"
#include "support/sample_local_time.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A link to nothing still holds its name: writing through it would land
// elsewhere.
TEST(TimestampedPath, CountsPastADanglingLink)
{
    ScratchFolder folder("stamped");
    const auto fresh = [&] {
        return FreshTimestampedPath(folder.Path().string(), "kept-", "", ".x", SampleLocalTime());
    };
    std::filesystem::create_symlink(folder.File("gone"), fresh());
    EXPECT_EQ(fresh(), folder.File("kept-20261209-183012-2.x"));
}

} // namespace
