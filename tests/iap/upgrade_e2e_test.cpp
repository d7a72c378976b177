#include "upgrade_fixture.h"

#include "platform/serial_port.h"

namespace {

constexpr size_t kSmallImage = 20000;

TEST_F(UpgradeFixture, InstallsTheNewVersionWhichTheControllerReportsAfterwards)
{
    SimProcess controller = Controller();
    ASSERT_EQ(ReportedVersion(controller.Port()), 23);
    std::vector<int> percents;
    UpgradeOptions options;
    options.m_device = controller.Port();
    options.m_firmware_path = FirmwareFileOf(kSmallImage);
    StopSignal stop;
    const UpgradeResult result = RunUpgrade(
        options, stop, {[&percents](int percent, const std::string&) { percents.push_back(percent); }});
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kSuccess) << result.m_detail;
    EXPECT_EQ(result.m_old_version, 23);
    EXPECT_EQ(result.m_percent, 100);
    EXPECT_EQ(result.m_resumed_from, 0u);
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(ReportedVersion(controller.Port()), 24);
}

TEST_F(UpgradeFixture, RefusesAnotherBoardsImageAndLeavesTheOldFirmwareRunning)
{
    SimProcess controller = Controller({"--board-id", "5"});
    const UpgradeResult result = Upgrade(controller.Port(), FirmwareFileOf(kSmallImage, 1));
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kDeviceTypeError);
    EXPECT_NE(result.m_detail.find("board 1, the controller is board 5; nothing was erased"),
              std::string::npos)
        << result.m_detail;
    // Sent back to its valid image, which still runs.
    EXPECT_EQ(ReportedVersion(controller.Port()), 23);
}

TEST_F(UpgradeFixture, RefusesAnImageLargerThanTheFlash)
{
    SimProcess controller = Controller({"--flash-kib", "16"});
    const UpgradeResult result = Upgrade(controller.Port(), FirmwareFileOf(17 * 1024));
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kDeviceTypeError) << result.m_detail;
    EXPECT_EQ(ReportedVersion(controller.Port()), 23);
}

TEST_F(UpgradeFixture, ADamagedFileNeverReachesTheController)
{
    SimProcess controller = Controller();
    const std::string path = FirmwareFileOf(kSmallImage);
    std::string bytes = ReadWholeFile(path);
    bytes[kFirmwareHeaderSize + 100] ^= 0x01;
    WriteWholeFile(path, bytes);
    const UpgradeResult result = Upgrade(controller.Port(), path);
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kFileInvalid);
    EXPECT_NE(result.m_detail.find("SHA-256"), std::string::npos) << result.m_detail;
    EXPECT_EQ(result.m_bytes_sent, 0u);
    EXPECT_EQ(ReportedVersion(controller.Port()), 23);
}

// The same cause, in the same words, as when the link cannot open the port.
TEST_F(UpgradeFixture, APortThatCannotBeOpenedIsReportedWithItsCause)
{
    const std::string missing = m_folder.File("no-such-port");
    const UpgradeResult result = Upgrade(missing, FirmwareFileOf(kSmallImage));
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kPortOpenFailed);
    EXPECT_NE(
        result.m_detail.find(DescribePortOpenFailure({PortOpenCause::kMissing, ENOENT}, missing, 115200)),
        std::string::npos)
        << result.m_detail;

    SimProcess controller = Controller();
    SerialPort holder;
    ASSERT_TRUE(holder.Open(controller.Port(), 115200).Succeeded());
    const UpgradeResult busy = Upgrade(controller.Port(), FirmwareFileOf(kSmallImage));
    EXPECT_EQ(busy.m_outcome, UpgradeOutcome::kPortOpenFailed);
    EXPECT_NE(busy.m_detail.find("is in use by another program"), std::string::npos) << busy.m_detail;
    EXPECT_EQ(busy.m_bytes_sent, 0u);
}

TEST_F(UpgradeFixture, RetransmitsCorruptedPacketsAndStillVerifies)
{
    SimProcess controller = Controller({"--iap-corrupt-rate", "0.15"});
    const UpgradeResult result = Upgrade(controller.Port(), FirmwareFileOf(kSmallImage));
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kSuccess) << result.m_detail;
    EXPECT_GT(result.m_retransmissions, 0u);
    EXPECT_EQ(ReportedVersion(controller.Port()), 24);
}

TEST_F(UpgradeFixture, APowerCutRestartsTheBootloaderAndTheUpgradeCarriesOnFromTheFlash)
{
    SimProcess controller = Controller({"--iap-power-cut-at", "40"});
    const UpgradeResult result = Upgrade(controller.Port(), FirmwareFileOf(kSmallImage));
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kSuccess) << result.m_detail;
    EXPECT_GT(result.m_retransmissions, 0u);
    EXPECT_EQ(ReportedVersion(controller.Port()), 24);
}

TEST_F(UpgradeFixture, AStalledControllerEndsInATimeOutThatSaysHowToResume)
{
    SimProcess controller = Controller({"--iap-stall-at", "50"});
    const UpgradeResult result = Upgrade(controller.Port(), FirmwareFileOf(kSmallImage));
    EXPECT_EQ(result.m_outcome, UpgradeOutcome::kTimedOut);
    EXPECT_GE(result.m_percent, 45);
    EXPECT_LT(result.m_percent, 100);
    EXPECT_NE(result.m_detail.find("waits in its bootloader"), std::string::npos) << result.m_detail;
}

} // namespace
