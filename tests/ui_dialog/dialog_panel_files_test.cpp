// The parameter panel against files: the type boxes filled from the
// settings, values a file holds that the panel cannot take, and the owner of
// every question the window asks.
#include "dialog_fixture.h"

#include "params/param_file.h"
#include "ui/views/plot_window.h"

#include <QAction>

namespace {

constexpr int kOpenParamButton = 1014;
constexpr int kSaveParamButton = 1015;
constexpr int kOpenFirmwareButton = 1027;

} // namespace

TEST_F(DialogTest, TypeBoxesFilledFromTheSettingsStartWithoutAChoice)
{
    OpenDialog("[Setting]\nSENDPRD=5\nPRODUCTTYPE=A [011];B [012]\nGIMBALTYPE=G1;G2\n"
               "CAMERATYPE=C1;C2\nRANGERTYPE=R1;R2\n");
    for (const int box : {1009, 1003, 1004, 1063}) {
        ASSERT_EQ(Find<CKRQCombo>(box)->count(), 2) << box;
        EXPECT_EQ(Find<CKRQCombo>(box)->currentIndex(), -1) << box;
    }
    // A save before any download or file writes no choice the user never made.
    m_prompts.m_files = {QString::fromStdString(m_folder.File("first.rkdp"))};
    Click(kSaveParamButton);
    GimbalParams saved{};
    ASSERT_TRUE(TryLoadParamFile(m_folder.File("first.rkdp"), saved));
    EXPECT_EQ(saved.m_product_type, 0);
    EXPECT_EQ(saved.m_gimbal_type, 0);
}

TEST_F(DialogTest, OpeningAFileNamesTheValuesThePanelCouldNotTake)
{
    OpenDialog();
    GimbalParams params{};
    params.m_motor0_pole_pairs = params.m_motor1_pole_pairs = params.m_motor2_pole_pairs = 7;
    params.m_sensor_x_sign = -1;
    params.m_stuck_power = 150;
    ASSERT_TRUE(SaveParamFile(m_folder.File("odd.rkdp"), params));
    params.m_sensor_x_sign = 0;
    params.m_stuck_power = 20;
    ASSERT_TRUE(SaveParamFile(m_folder.File("plain.rkdp"), params));

    m_prompts.m_files = {QString::fromStdString(m_folder.File("odd.rkdp"))};
    Click(kOpenParamButton);
    EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
    EXPECT_TRUE(Status().contains(QStringLiteral("2 values"))) << Status().toStdString();
    EXPECT_EQ(Find(1068)->toolTip(),
              QStringLiteral("m_sensor_x_sign=-1: the panel accepts 0..1\n"
                             "m_stuck_power=150: the panel accepts whole numbers 0..100"));

    m_prompts.m_files = {QString::fromStdString(m_folder.File("plain.rkdp"))};
    Click(kOpenParamButton);
    EXPECT_EQ(Status(), Message(246));
    EXPECT_EQ(Find(1068)->toolTip(), QString());
}

// Each question belongs to the window, so the window manager keeps it above
// the window that stays on top.
TEST_F(DialogTest, EveryQuestionIsOwnedByTheWindow)
{
    COrvaneDlg& dialog = OpenDialog();
    Click(kOpenParamButton);
    Click(kSaveParamButton);
    Click(kOpenFirmwareButton);
    dialog.MenuAction(UiText::kMenuReplay)->trigger();
    ASSERT_EQ(m_prompts.m_owners.size(), 4u);
    for (QWidget* owner : m_prompts.m_owners)
        EXPECT_EQ(owner, &dialog);
    // The plot window, no dialog, stays on top with it rather than behind it.
    dialog.MenuAction(UiText::kMenuPlots)->trigger();
    auto* plots = dialog.findChild<PlotWindow*>();
    ASSERT_NE(plots, nullptr);
    EXPECT_TRUE(plots->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}
