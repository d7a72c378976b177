// Reconnecting after the gimbal's port went away and came back: here the
// simulator ends and a new one publishes the same name.
#include "dialog_fixture.h"
#include "resources/message_ids.h"

#include <QAction>
#include <csignal>

namespace {

class DialogReconnectTest : public DialogTest {
protected:
    // The gimbal vanishes, the window reports it, the same port returns.
    void UnplugAndReturn()
    {
        const std::string name = m_sim->Name();
        m_sim->Kill(SIGKILL);
        ASSERT_TRUE(WaitUntil([&] { return Status() == Message(Id(MessageId::kTransmitError)); }));
        m_sim.reset();
        m_sim = std::make_unique<SimProcess>(
            m_folder.Path(), std::vector<std::string>{"--period", "2", "--cal-seconds", "0.1", "--seed", "7"},
            name);
    }

    QString SelectedPort() const { return Find<CKRQCombo>(1001)->currentText(); }

    // Runs the window until its timer has ticked as often as `looks` looks
    // at the port list take; returns the looks made meanwhile.
    uint64_t LooksDuring(uint64_t looks)
    {
        const PortReconnect& watch = m_dialog->Reconnect();
        const uint64_t looked = watch.LookCount();
        const uint64_t until = watch.TickCount() + looks * PortReconnect::kTicksPerLook;
        EXPECT_TRUE(WaitUntil([&] { return watch.TickCount() >= until; }));
        return watch.LookCount() - looked;
    }
};

} // namespace

TEST_F(DialogReconnectTest, AReturnedPortIsSelectedAndReconnectedWithOneClick)
{
    StartSim();
    OpenDialog();
    Connect();
    UnplugAndReturn();

    ASSERT_TRUE(WaitUntil([&] { return !m_prompts.m_offers.empty(); }));
    ASSERT_EQ(m_prompts.m_offers.size(), 1u);
    EXPECT_TRUE(m_prompts.m_offers[0].text.contains(QString::fromStdString(m_sim->Name())));
    EXPECT_EQ(SelectedPort(), QString::fromStdString(m_sim->Name()));
    EXPECT_EQ(Status(), Message(Id(MessageId::kTransmitError)))
        << "nothing happens until the user takes the offer";

    m_prompts.m_offers[0].take();
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(Id(MessageId::kParamDownloadDone)); }))
        << Status().toStdString();
    // The watch ended with the offer: no look at the port list comes again.
    EXPECT_NE(m_dialog->LinkState().Phase(), LinkPhase::kWatchingForPort);
    EXPECT_EQ(LooksDuring(1), 0u);
    EXPECT_EQ(m_prompts.m_offers.size(), 1u) << "one offer per loss";
}

TEST_F(DialogReconnectTest, TickedInTheMenuTheWindowReconnectsByItself)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    QAction* automatic = dialog.MenuAction(UiText::kMenuReconnectAutomatically);
    ASSERT_NE(automatic, nullptr);
    automatic->trigger();
    EXPECT_TRUE(automatic->isChecked());
    Connect();
    UnplugAndReturn();
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(Id(MessageId::kParamDownloadDone)); }))
        << Status().toStdString();
    EXPECT_TRUE(m_prompts.m_offers.empty());
}

TEST_F(DialogReconnectTest, ALinkTheUserStoppedAfterTheLossStaysStoppedWhenThePortReturns)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    dialog.MenuAction(UiText::kMenuReconnectAutomatically)->trigger();
    Connect();
    const std::string name = m_sim->Name();
    m_sim->Kill(SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(Id(MessageId::kTransmitError)); }));
    Click(1002); // Stop Debug
    m_sim.reset();
    m_sim = std::make_unique<SimProcess>(m_folder.Path(), std::vector<std::string>{"--seed", "7"}, name);
    // A stopped link watches for nothing.
    EXPECT_NE(m_dialog->LinkState().Phase(), LinkPhase::kWatchingForPort);
    EXPECT_EQ(LooksDuring(1), 0u);
    EXPECT_EQ(Text(1002), Message(Id(MessageId::kStartDebug)));
    EXPECT_TRUE(m_prompts.m_offers.empty());
}

TEST_F(DialogReconnectTest, AnOfferTakenAfterTheUserStoppedAndRestartedLeavesTheNewLinkAlone)
{
    StartSim();
    OpenDialog();
    Connect();
    UnplugAndReturn();
    ASSERT_TRUE(WaitUntil([&] { return !m_prompts.m_offers.empty(); }));
    Click(1002); // Stop Debug
    ASSERT_EQ(Text(1002), Message(Id(MessageId::kStartDebug)));
    Connect();

    m_prompts.m_offers[0].take();
    EXPECT_EQ(Status(), Message(Id(MessageId::kParamDownloadDone)));
    EXPECT_EQ(Text(1002), Message(199));
}
