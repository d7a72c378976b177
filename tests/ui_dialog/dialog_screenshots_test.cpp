// Pictures of the window's extras for the documentation, taken offscreen.
// Run with ORVANE_SCREENSHOTS=<folder>; skipped otherwise.
#include "dialog_fixture.h"

#include "libs/iap/firmware_file.h"
#include "params/param_file.h"
#include "sim/default_params.h"
#include "ui/controls/ckrq_prog.h"

#include <QAction>
#include <QMessageBox>

namespace {

class DialogScreenshotsTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        const char* folder = std::getenv("ORVANE_SCREENSHOTS");
        if (folder == nullptr || *folder == '\0')
            GTEST_SKIP() << "ORVANE_SCREENSHOTS names no folder";
        m_output = QString::fromLocal8Bit(folder);
    }

    void Save(QWidget& widget, const char* name)
    {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        QCoreApplication::sendPostedEvents(); // the repaints asked for so far
        ASSERT_TRUE(widget.grab().save(m_output + "/" + name)) << name;
    }

    QString m_output;
};

} // namespace

TEST_F(DialogScreenshotsTest, ExpertViewComparisonAndReconnectOffer)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    dialog.MenuAction(UiText::kMenuExpertView)->trigger();
    Save(dialog, "expert-view.png");
    dialog.MenuAction(UiText::kMenuExpertView)->trigger();

    // The comparison the window asked for, shown in the program's own dialog.
    GimbalParams tuned = DefaultGimbalParams();
    tuned.m_roll_pid_kp += 12;
    tuned.m_pitch_pid_ki += 3;
    tuned.m_max_rate_scale = 1.5;
    tuned.m_udmode_type = 2;
    const std::string file = m_folder.File("tuned.rkdp");
    ASSERT_TRUE(SaveParamFile(file, tuned));
    m_prompts.m_cancel_comparisons = true;
    m_prompts.m_files.push_back(QString::fromStdString(file));
    Find<QAbstractButton>(1014)->click();
    ASSERT_EQ(m_prompts.m_comparisons.size(), 1u);
    ParamCompareDialog comparison(&dialog, m_prompts.m_comparisons.back());
    comparison.show();
    Save(comparison, "compare-dialog.png");
    comparison.close();

    QtDialogPrompts prompts;
    prompts.OfferAction(&dialog, QString::fromStdString(LoadUiText(UiText::kPortReturned, m_sim->Name())),
                        QString::fromStdString(LoadUiText(UiText::kReconnect)), [] {});
    auto* offer = dialog.findChild<QMessageBox*>();
    ASSERT_NE(offer, nullptr);
    Save(*offer, "reconnect-offer.png");
}

TEST_F(DialogScreenshotsTest, FirmwareUpgradeUnderWay)
{
    // A line paced as a real one, so the picture catches the transfer half way.
    StartSim({"--board-id", "1", "--baud", "115200"});
    OpenDialog();
    Connect();
    std::vector<uint8_t> image(64 * 1024);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 13);
    const std::vector<uint8_t> bytes = BuildFirmwareFile(image, 1, 25);
    const std::string file = m_folder.File("update.cahf");
    WriteWholeFile(file, std::string(bytes.begin(), bytes.end()));
    m_prompts.m_files.push_back(QString::fromStdString(file));
    Click(1027);
    Click(1028);
    ASSERT_TRUE(WaitUntil([&] { return Find<CKRQProg>(1152)->Pos() >= 40; })) << Status().toStdString();
    EXPECT_EQ(Status(), Message(145));
    Save(*m_dialog, "upgrade-under-way.png");
    Click(1028); // cancel: the controller waits in its bootloader
}
