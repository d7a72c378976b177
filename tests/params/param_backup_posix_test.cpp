#include "params/param_backup.h"
#include "params/param_file.h"
#include "support/sample_local_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// Points XDG_DATA_HOME at a fresh folder for one test.
class ParamBackupTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/orvane-backup-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        setenv("XDG_DATA_HOME", m_folder.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("XDG_DATA_HOME");
        std::filesystem::remove_all(m_folder);
    }

    std::filesystem::path m_folder;
};

TEST_F(ParamBackupTest, WritesALoadableFileNamedByTimeAndOldVersionWithoutOverwriting)
{
    GimbalParams params{};
    params.m_roll_pid_kp = 42;
    std::string error;
    const std::string first = WriteUpgradeBackup(params, 23, SampleLocalTime(), &error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(first, (m_folder / "orvane/backups/orvane-backup-20261209-183012-V2.3.rkdp").string());
    GimbalParams loaded{};
    ASSERT_TRUE(TryLoadParamFile(first, loaded));
    EXPECT_EQ(loaded.m_roll_pid_kp, 42);

    const std::string second = WriteUpgradeBackup(params, 23, SampleLocalTime(), &error);
    EXPECT_EQ(second, (m_folder / "orvane/backups/orvane-backup-20261209-183012-V2.3-2.rkdp").string());
}

TEST_F(ParamBackupTest, ReportsAFolderThatCannotBeCreated)
{
    const std::filesystem::path blocker = m_folder / "file";
    std::ofstream(blocker) << "x";
    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    std::string error;
    EXPECT_EQ(WriteUpgradeBackup(GimbalParams{}, 23, SampleLocalTime(), &error), "");
    EXPECT_NE(error.find("cannot create the backup folder"), std::string::npos) << error;
}

} // namespace
