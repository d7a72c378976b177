// The window against the simulated gimbal: the link button, transfers, the
// Enter key and a vanishing port.
#include "dialog_fixture.h"

#include "params/panel_binding.h"
#include "sim/default_params.h"
#include "ui/controls/ckrq_combo.h"

#include <csignal>

namespace {

int ChannelMapBoxSelection(COrvaneDlg& dialog)
{
    return qobject_cast<CKRQCombo*>(dialog.Control(1174))->currentIndex();
}

} // namespace

TEST_F(DialogTest, StartDebugDownloadsAndThePanelShowsTheGimbalsValues)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    const GimbalParams factory = DefaultGimbalParams();
    for (const int control : {1019, 1039, 1050, 1023, 1120, 1102}) {
        const PanelBinding& binding = *FindPanelBinding(control);
        EXPECT_EQ(Text(control).toStdString(), FormatPanelValue(factory, binding)) << control;
    }
    EXPECT_EQ(ChannelMapBoxSelection(dialog), factory.m_chan_map[0]);
    for (const int button : {1007, 1008, 1010})
        EXPECT_TRUE(Find(button)->isEnabled()) << button;
}

TEST_F(DialogTest, AChannelBoxChangeUploadsTheWholePanelAndTheGimbalKeepsIt)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    const int chosen = (ChannelMapBoxSelection(dialog) + 3) % 17;
    ChooseItem(*Find<CKRQCombo>(1174), chosen);
    EXPECT_EQ(Status(), Message(139));
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(140); })) << Status().toStdString();

    // Read back from the gimbal: the panel shows what the gimbal now holds.
    Find<CKRQCombo>(1174)->SelectIndex(0);
    Click(1008);
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(142); }));
    EXPECT_EQ(ChannelMapBoxSelection(dialog), chosen);
    EXPECT_EQ(dialog.Link().State().m_params.Snapshot().m_chan_map[0], chosen);
}

TEST_F(DialogTest, EnterUploadsOnlyWhileUploadParamIsEnabled)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    QTest::keyClick(Find(1019), Qt::Key_Return);
    EXPECT_EQ(Status(), QString()) << "link closed: nothing happens";

    auto* ports = Find<CKRQCombo>(1001);
    ports->SelectIndex(ports->findText(QString::fromStdString(m_sim->Name())));
    Click(1002);
    ASSERT_FALSE(Find(1007)->isEnabled());
    QTest::keyClick(Find(1019), Qt::Key_Return);
    EXPECT_EQ(Status(), Message(141)) << "the download runs on";
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(142); }));

    QTest::keyClick(Find(1019), Qt::Key_Enter);
    EXPECT_EQ(Status(), Message(139));
    EXPECT_EQ(dialog.Link().State().m_page.load(), 1);
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(140); }));
}

TEST_F(DialogTest, StopDebugInTheMiddleOfAnUploadClearsTheRequestsSilently)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    Click(1007);
    ASSERT_EQ(Status(), Message(139));
    Click(1002);
    EXPECT_EQ(Text(1002), Message(198));
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(dialog.Link().State().m_page.load(), 0);
    EXPECT_EQ(dialog.Link().State().m_transfer_active.load(), 0);
    for (const int button : {1007, 1008, 1010})
        EXPECT_FALSE(Find(button)->isEnabled()) << button;
    EXPECT_FALSE(dialog.Link().IsPortOpen());
}

TEST_F(DialogTest, AVanishedGimbalShowsTransmitErrorAndTheButtonEndsTheLink)
{
    SimProcess& sim = StartSim();
    OpenDialog();
    Connect();
    sim.Kill(SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(132); })) << Status().toStdString();
    EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
    EXPECT_EQ(Text(1002), Message(199));
    Click(1002);
    EXPECT_EQ(Text(1002), Message(198));
    EXPECT_EQ(Status(), QString());
}

TEST_F(DialogTest, AMissingPortShowsOpenFailedWithItsCauseOneHoverAway)
{
    OpenDialog("[Setting]\nCOMNUM=-1\nSENDPRD=5\n");
    ASSERT_EQ(Find<CKRQCombo>(1001)->currentIndex(), -1);
    Click(1002);
    EXPECT_EQ(Status(), Message(131));
    EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
    EXPECT_EQ(Text(1002), Message(198));
    EXPECT_FALSE(Find(1068)->toolTip().isEmpty());
}

TEST_F(DialogTest, ALinkWhosePeriodSendsNothingSaysSoOneHoverAway)
{
    StartSim();
    OpenDialog("[Setting]\nSENDPRD=0\n");
    auto* ports = Find<CKRQCombo>(1001);
    ports->SelectIndex(ports->findText(QString::fromStdString(m_sim->Name())));
    Click(1002);
    EXPECT_EQ(Text(1002), Message(199)) << "the port is open";
    EXPECT_TRUE(Find(1068)->toolTip().contains(QStringLiteral("no frames are sent")))
        << Find(1068)->toolTip().toStdString();
}

TEST_F(DialogTest, APortListingThatCannotBeReadKeepsTheBoxAsItWas)
{
    StartSim();
    OpenDialog();
    auto* ports = Find<CKRQCombo>(1001);
    ports->SelectIndex(ports->findText(QString::fromStdString(m_sim->Name())));
    const int items = ports->count();
    ASSERT_GE(ports->currentIndex(), 0);
    const int selected = ports->currentIndex();
    PortListingSources unreadable = SystemPortListingSources();
    unreadable.m_tty_class_dir = m_folder.File("no-tty-class");
    m_app.m_port_sources = unreadable;
    ports->showPopup(); // the box relists its ports as it opens
    ports->hidePopup();
    EXPECT_EQ(ports->count(), items);
    EXPECT_EQ(ports->currentIndex(), selected);
}

TEST_F(DialogTest, ChoosingAnotherPortWhileLinkedEndsTheLinkButKeepsTheStatus)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    auto* ports = Find<CKRQCombo>(1001);
    ports->addItem(QStringLiteral("ttyFAKE"), QStringLiteral("/dev/null/none"));
    ChooseItem(*ports, 1);
    EXPECT_EQ(Text(1002), Message(198));
    EXPECT_EQ(Status(), Message(142));
    EXPECT_FALSE(dialog.Link().IsPortOpen());
    EXPECT_FALSE(Find(1007)->isEnabled());
}
