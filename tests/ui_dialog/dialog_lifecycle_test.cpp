// The window's own life: its controls and where they lie, keys, settings,
// the language switch, parameter files, live values, tips and the upgrade
// button's events.
#include "dialog_fixture.h"

#include "app/app_settings.h"
#include "libs/view3d_qt/attitude_view_widget.h"
#include "params/param_file.h"
#include "resources/dialog_template.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/controls/ckrq_list.h"
#include "ui/controls/ckrq_prog.h"
#include "ui/dialog/posted_events.h"

#include "support/thread_census.h"

#include <QKeyEvent>
#include <cstring>

namespace {

bool Intersects(const QRect& a, const QRect& b)
{
    return a.intersects(b);
}

IapEvent MakeIapEvent(int32_t code, int32_t percent = 0)
{
    IapEvent event{};
    event.code = code;
    event.percent = percent;
    std::strncpy(event.detail, "what happened", sizeof event.detail - 1);
    return event;
}

} // namespace

TEST_F(DialogTest, EveryTemplateControlExistsAndOnlyTheVisibleAreaIsShownInBothLanguages)
{
    for (const uint16_t language : {kLanguageEnglish, kLanguageChinese}) {
        SetUiLanguage(language);
        COrvaneDlg& dialog = OpenDialog();
        const QRect window(QPoint(0, 0), dialog.size());
        const DialogTemplate& layout = MainDialogTemplate(language);
        int with_id = 0;
        for (const TemplateControl& control : layout.controls) {
            if (control.id == kNoControlId || control.id == kVisibleAreaControl)
                continue;
            ++with_id;
            QWidget* widget = dialog.Control(control.id);
            ASSERT_NE(widget, nullptr) << control.id;
            const bool inside_area = control.rect.x + control.rect.width <= kVisibleArea.width &&
                                     control.rect.y + control.rect.height <= kVisibleArea.height;
            EXPECT_EQ(window.contains(widget->geometry()), inside_area) << control.id;
            if (!inside_area) {
                EXPECT_FALSE(Intersects(window, widget->geometry())) << control.id;
            }
        }
        EXPECT_EQ(with_id, 169);
        EXPECT_EQ(Text(1002), Message(198));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("orvane"));
        EXPECT_EQ(Find<CKRQCombo>(1030)->currentIndex(), language == kLanguageChinese ? 0 : 1);
        m_dialog.reset();
    }
}

TEST_F(DialogTest, StartsWithTransfersAndUpgradeDisabledAndThe3DRadioChecked)
{
    OpenDialog();
    for (const int button : {1007, 1008, 1010, 1028})
        EXPECT_FALSE(Find(button)->isEnabled()) << button;
    EXPECT_TRUE(Find<QAbstractButton>(1115)->isChecked());
    Click(1117);
    EXPECT_TRUE(Find<QAbstractButton>(1117)->isChecked());
    EXPECT_FALSE(Find<QAbstractButton>(1115)->isChecked());
    EXPECT_EQ(Status(), QString());
}

TEST_F(DialogTest, EscapeDoesNotCloseTheWindow)
{
    COrvaneDlg& dialog = OpenDialog();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(Find(1019), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DialogTest, ClosingWritesTheEightSettingsKeys)
{
    COrvaneDlg& dialog = OpenDialog("[Setting]\nLAN=EN\nSENDPRD=5\nPRODUCTTYPE=;A [001];;B [002];\n");
    EXPECT_EQ(Find<CKRQCombo>(1009)->count(), 2);
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    const std::string saved = ReadWholeFile(m_app.m_settings_path);
    for (const char* key :
         {"COMNUM=", "SENDPRD=5", "COMBAUND=115200", "AUTOSTOP=0", "PRODUCTTYPE=;A [001];;B [002];",
          "GIMBALTYPE=", "CAMERATYPE=", "RANGERTYPE=", "LAN=EN"})
        EXPECT_NE(saved.find(key), std::string::npos) << key << " in\n" << saved;
}

TEST_F(DialogTest, ChoosingTheOtherLanguageStoresItAndClosesForTheRelaunch)
{
    COrvaneDlg& dialog = OpenDialog();
    auto* languages = Find<CKRQCombo>(1030);
    languages->setCurrentIndex(1);
    emit languages->activated(1);
    EXPECT_FALSE(m_app.m_restart_pending) << "the language already in use changes nothing";

    languages->setCurrentIndex(0);
    emit languages->activated(0);
    EXPECT_TRUE(m_app.m_restart_pending);
    EXPECT_EQ(ReadProfileText("Setting", "LAN", "", m_app.m_settings_path), "CN");
    ASSERT_TRUE(WaitUntil([&] { return !dialog.isVisible(); }));
}

TEST_F(DialogTest, AParameterFileSavedEditedAndOpenedFillsThePanel)
{
    StartSim();
    OpenDialog();
    Connect();
    const std::string file = m_folder.File("tuned.rkdp");
    m_prompts.m_files = {QString::fromStdString(file)};
    Click(1015);
    ASSERT_TRUE(WriteProfileText("Param", "m_roll_pid_kt", "77", file));
    m_prompts.m_files = {QString::fromStdString(file)};
    Click(1014);
    EXPECT_EQ(Text(1019), QStringLiteral("77"));
    EXPECT_EQ(Status(), Message(246));
    EXPECT_EQ(m_prompts.m_file_choices.back().initial_name, QStringLiteral("tuned.rkdp"));
    EXPECT_EQ(m_prompts.m_file_choices.back().filter, QStringLiteral("rkdp file(*.rkdp)"));
}

TEST_F(DialogTest, AnUnreadableParameterFileIsReportedAndLoadsNothing)
{
    OpenDialog();
    SetWindowTextIfChanged(Find(1019), QStringLiteral("12"));
    m_prompts.m_files = {QString::fromStdString(m_folder.File("missing.rkdp"))};
    Click(1014);
    EXPECT_EQ(Text(1019), QStringLiteral("12"));
    EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
    EXPECT_NE(Status(), Message(246));

    m_prompts.m_files = {QString()};
    Click(1014);
    EXPECT_EQ(Text(1019), QStringLiteral("12")) << "a cancelled choice changes nothing";
}

TEST_F(DialogTest, LiveValuesReachTheFieldsAndTheTips)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return !Text(1046).isEmpty() && !Text(1021).isEmpty(); }));
    EXPECT_TRUE(Text(1046).startsWith(QLatin1Char('V')));
    EXPECT_EQ(Text(1059), QStringLiteral("HWOK"));
    ASSERT_TRUE(WaitUntil([&] { return !Find<CKRQList>(1186)->ItemText(0, 0).isEmpty(); }));

    const_cast<StatusToolTips&>(dialog.ToolTips()).OnToolTipNeedText();
    EXPECT_TRUE(dialog.ToolTips().ToolText(1046).startsWith(QStringLiteral("MAIN: V")));
    EXPECT_EQ(dialog.ToolTips().ToolText(1059), QString()) << "no fault, no tip";
    EXPECT_EQ(dialog.ToolTips().ToolText(1171), QStringLiteral("XXX_XX"));
    EXPECT_EQ(dialog.ToolTips().ToolText(1108), Message(222));
}

TEST_F(DialogTest, UpgradeEventsDriveTheStatusLineTheBarAndTheButtonCaption)
{
    OpenDialog();
    m_prompts.m_files = {QString::fromStdString(m_folder.File("new.cahf"))};
    Click(1027);
    ASSERT_TRUE(Find(1028)->isEnabled());
    EXPECT_EQ(m_prompts.m_file_choices.back().filter, QStringLiteral("cahf file(*.cahf)"));

    Click(1028);
    EXPECT_EQ(Text(1028), Message(197));
    EXPECT_EQ(Status(), Message(143));
    EXPECT_EQ(Text(1002), Message(198));
    EXPECT_EQ(Text(1046), QString());
    // The library checks the file before it touches any port: this one is missing.
    ASSERT_TRUE(WaitUntil([&] { return Text(1028) == Message(196); }));
    EXPECT_EQ(Status(), Message(147));
    EXPECT_FALSE(Find(1068)->toolTip().isEmpty());

    SetWindowTextIfChanged(Find(1028), Message(197));
    QCoreApplication::postEvent(m_dialog.get(), new IapPostedEvent(MakeIapEvent(IAP_PROGRESS, 40)));
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(145); }));
    EXPECT_EQ(Find<CKRQProg>(1152)->Pos(), 40);
    EXPECT_EQ(Find<CKRQProg>(1152)->BarColor(), QColor(6, 176, 37));
    EXPECT_EQ(Text(1028), Message(197));

    struct Ending {
        int32_t code;
        int message;
        QColor colour;
    };
    for (const Ending& ending :
         {Ending{IAP_SUCCESS, 144, QColor(0, 0, 0)}, Ending{IAP_DEVICE_TYPE_ERROR, 146, QColor(255, 0, 0)},
          Ending{IAP_FAILED, 147, QColor(255, 0, 0)}, Ending{IAP_PORT_OPEN_FAILED, 131, QColor(255, 0, 0)}}) {
        SetWindowTextIfChanged(Find(1028), Message(197));
        QCoreApplication::postEvent(m_dialog.get(), new IapPostedEvent(MakeIapEvent(ending.code)));
        ASSERT_TRUE(WaitUntil([&] { return Status() == Message(ending.message); })) << ending.code;
        EXPECT_EQ(StatusColour(), ending.colour) << ending.code;
        EXPECT_EQ(Text(1028), Message(196)) << ending.code;
        EXPECT_TRUE(Find(1068)->toolTip().contains(QStringLiteral("what happened")));
    }
    EXPECT_EQ(Find<CKRQProg>(1152)->Pos(), 40) << "the bar keeps the last percentage";

    SetWindowTextIfChanged(Find(1028), Message(197));
    Click(1028);
    EXPECT_EQ(Text(1028), Message(196)) << "Cancel stops the upgrade";
}

// The threads that post to the window end with it, while the simulator
// still streams: none is left to post to the window once it is gone.
TEST_F(DialogTest, TheLinksThreadsEndWithTheWindowWhileFramesStillArrive)
{
    const size_t before = CountLinkThreads();
    StartSim();
    OpenDialog();
    Connect();
    EXPECT_EQ(CountLinkThreads(), before + 2) << "the reader and the sender";
    m_dialog.reset();
    EXPECT_EQ(CountLinkThreads(), before);
    QCoreApplication::sendPostedEvents();
}

TEST_F(DialogTest, TheViewShowsLevelAtFirstThenFollowsTheDecodedAttitude)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    auto* view = Find(1018)->findChild<AttitudeViewWidget*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->ShownAttitude(), Attitude{});
    Connect();
    ASSERT_TRUE(WaitUntil([&] { return view->ShownAttitude().yaw != 0.0; }));
    // Every fifth 10 ms tick hands the view the angles of the last frame.
    ASSERT_TRUE(WaitUntil([&] {
        const TelemetryState& telemetry = dialog.Link().Telemetry();
        return view->ShownAttitude() ==
               Attitude{telemetry.m_angle[0], telemetry.m_angle[1], telemetry.m_angle[2]};
    }));
    Click(1116);
    EXPECT_TRUE(view->isVisible()) << "the view selector changes nothing";
}
