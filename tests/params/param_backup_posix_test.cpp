#include "params/param_backup.h"
#include "params/param_file.h"

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

    // 2026-12-09 18:30:12 local time.
    static std::chrono::system_clock::time_point SampleTime()
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

    std::filesystem::path m_folder;
};

TEST_F(ParamBackupTest, WritesALoadableFileNamedByTimeAndOldVersionWithoutOverwriting)
{
    GimbalParams params{};
    params.m_roll_pid_kp = 42;
    std::string error;
    const std::string first = WriteUpgradeBackup(params, 23, SampleTime(), &error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(first, (m_folder / "orvane/backups/orvane-backup-20261209-183012-V2.3.rkdp").string());
    GimbalParams loaded{};
    ASSERT_TRUE(TryLoadParamFile(first, loaded));
    EXPECT_EQ(loaded.m_roll_pid_kp, 42);

    const std::string second = WriteUpgradeBackup(params, 23, SampleTime(), &error);
    EXPECT_EQ(second, (m_folder / "orvane/backups/orvane-backup-20261209-183012-V2.3-2.rkdp").string());
}

TEST_F(ParamBackupTest, ReportsAFolderThatCannotBeCreated)
{
    const std::filesystem::path blocker = m_folder / "file";
    std::ofstream(blocker) << "x";
    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    std::string error;
    EXPECT_EQ(WriteUpgradeBackup(GimbalParams{}, 23, SampleTime(), &error), "");
    EXPECT_NE(error.find("cannot create the backup folder"), std::string::npos) << error;
}

} // namespace
