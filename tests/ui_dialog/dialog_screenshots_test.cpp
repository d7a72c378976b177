// Pictures of the window's extras for the documentation, taken offscreen.
// Run with ORVANE_SCREENSHOTS=<folder>; skipped otherwise.
#include "dialog_fixture.h"

#include "params/param_file.h"
#include "sim/default_params.h"

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
        QTest::qWait(100);
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
