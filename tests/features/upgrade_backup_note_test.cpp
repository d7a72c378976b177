#include "features/upgrade_backup/upgrade_backup_note.h"

#include "params/param_backup.h"
#include "params/param_file.h"
#include "resources/ui_texts.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

class UpgradeBackupNoteTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("XDG_DATA_HOME");
        m_old_data_home = old == nullptr ? std::string() : old;
        setenv("XDG_DATA_HOME", m_folder.Path().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_old_data_home.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", m_old_data_home.c_str(), 1);
    }

    ScratchFolder m_folder{"backup-note"};
    std::string m_old_data_home;
};

} // namespace

TEST_F(UpgradeBackupNoteTest, TheNoteNamesTheFileThatHoldsTheSet)
{
    GimbalParams params{};
    params.m_roll_pid_kp = 42;
    const std::string note = BackUpBeforeUpgrade(params, 23, std::chrono::system_clock::now());
    const std::string folder = UpgradeBackupFolder();
    ASSERT_NE(note.find(folder), std::string::npos) << note;
    const std::filesystem::directory_iterator first(folder);
    ASSERT_NE(first, std::filesystem::directory_iterator());
    GimbalParams read{};
    ASSERT_TRUE(TryLoadParamFile(first->path().string(), read));
    EXPECT_EQ(read.m_roll_pid_kp, 42);
}

TEST_F(UpgradeBackupNoteTest, AFolderThatCannotBeMadeGivesTheFailureNote)
{
    WriteWholeFile(m_folder.File("orvane"), "a file where the folder would go");
    const std::string note = BackUpBeforeUpgrade(GimbalParams{}, 23, std::chrono::system_clock::now());
    const std::string failed = LoadUiText(UiText::kUpgradeBackupFailed, "");
    EXPECT_TRUE(note.starts_with(failed)) << note;
    EXPECT_GT(note.size(), failed.size()) << "with its cause";
}
