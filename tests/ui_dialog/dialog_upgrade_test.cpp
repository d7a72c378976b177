// A firmware upgrade from the window, end to end against the simulated
// controller's bootloader.
#include "dialog_fixture.h"

#include "params/param_backup.h"
#include "params/param_file.h"
#include "sim/default_params.h"
#include "ui/controls/ckrq_edit.h"
#include "ui/controls/ckrq_prog.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

class DialogUpgradeTest : public DialogTest {
protected:
    // "Open" with `file`, then "Upgrade".
    void Upgrade(const std::string& file)
    {
        m_prompts.m_files = {QString::fromStdString(file)};
        Click(1027);
        ASSERT_TRUE(Find(1028)->isEnabled());
        Click(1028);
        ASSERT_EQ(Text(1028), Message(197));
    }
};

TEST_F(DialogUpgradeTest, AnUpgradeEndsWithTheNewVersionAfterReconnectingAndABackupOfTheTuning)
{
    StartSim({"--board-id", "1"});
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return !Text(1046).isEmpty(); }));
    const QString old_version = Text(1046);
    // Typed and saved to a file, never uploaded: not what the gimbal holds.
    Find<CKRQEdit>(1023)->setText("99");
    m_prompts.m_files = {QString::fromStdString(m_folder.File("typed.rkdp"))};
    Click(1015);

    Upgrade(WriteFirmwareFile(m_folder, 1, 57));
    EXPECT_FALSE(dialog.Link().IsPortOpen()) << "the port is handed to the upgrade";
    EXPECT_EQ(Text(1002), Message(198));
    ASSERT_TRUE(WaitUntil([&] { return Text(1028) == Message(196); })) << Status().toStdString();
    EXPECT_EQ(Status(), Message(144));
    EXPECT_EQ(Find<CKRQProg>(1152)->Pos(), 100);

    // The tuning read before the upgrade is kept in a file named after the old version.
    const auto backups = std::filesystem::directory_iterator(UpgradeBackupFolder());
    ASSERT_NE(backups, std::filesystem::directory_iterator());
    EXPECT_NE(backups->path().filename().string().find(old_version.toStdString()), std::string::npos);
    GimbalParams backed_up{};
    ASSERT_TRUE(TryLoadParamFile(backups->path().string(), backed_up));
    EXPECT_EQ(backed_up.m_roll_pid_kp, DefaultGimbalParams().m_roll_pid_kp)
        << "the gimbal's tuning, not the panel's";

    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Text(1046) == QStringLiteral("V5.7"); })) << Text(1046).toStdString();
}

// A controller paced at 921600 understands only a PC at that rate: the
// upgrade runs at the rate configured for the link (COMBAUND). The time of a
// 256 KiB image is recorded (line time alone: 2.8 s).
TEST_F(DialogUpgradeTest, TheUpgradeRunsAtTheConfiguredRate)
{
    StartSim({"--board-id", "1", "--baud", "921600"});
    OpenDialog("[Setting]\nSENDPRD=5\nCOMBAUND=921600\n");
    Connect();
    const std::string firmware = WriteFirmwareFile(m_folder, 1, 57, 256 * 1024);
    const auto start = std::chrono::steady_clock::now();
    Upgrade(firmware);
    ASSERT_TRUE(WaitUntil([&] { return Text(1028) == Message(196); }, std::chrono::seconds(60)))
        << Status().toStdString();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(Status(), Message(144)) << Find(1068)->toolTip().toStdString();
    RecordProperty("upgrade_seconds_256KiB_921600", std::to_string(took.count()));
    std::printf("window upgrade, 256 KiB at 921600 baud: %.2f s\n", took.count());
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return Text(1046) == QStringLiteral("V5.7"); })) << Text(1046).toStdString();
}

TEST_F(DialogUpgradeTest, AFileForAnotherBoardIsRefusedAsADeviceTypeError)
{
    StartSim({"--board-id", "1"});
    OpenDialog();
    Connect();
    Upgrade(WriteFirmwareFile(m_folder, 9, 57));
    ASSERT_TRUE(WaitUntil([&] { return Text(1028) == Message(196); }));
    EXPECT_EQ(Status(), Message(146));
    EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
    EXPECT_FALSE(Find(1068)->toolTip().isEmpty()) << "the detail says which boards";
}
