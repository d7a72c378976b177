// The link's state that the window's features ask, against the link
// button's caption that its own handlers read: the two agree through every
// change a user can make.
#include "dialog_fixture.h"
#include "resources/message_ids.h"

#include "recording/session_recorder.h"

#include <QAction>
#include <csignal>

namespace {

using P = LinkPhase;

class DialogLinkStatusTest : public DialogTest {
protected:
    // The phase, and a caption that says the same.
    void Expect(LinkPhase phase)
    {
        const LinkStatus& status = m_dialog->LinkState();
        EXPECT_EQ(status.Phase(), phase) << Status().toStdString();
        EXPECT_EQ(Text(1002) == Message(Id(MessageId::kStopDebug)), status.ShowsStopDebug())
            << "phase " << static_cast<int>(status.Phase()) << ", caption " << Text(1002).toStdString();
    }

    void WaitForStatus(int message)
    {
        ASSERT_TRUE(WaitUntil([&] { return Status() == Message(message); })) << Status().toStdString();
    }

    void SelectSimPort()
    {
        auto* ports = Find<CKRQCombo>(1001);
        ports->SelectIndex(ports->findText(QString::fromStdString(m_sim->Name())));
    }

    // A recording of two frames, as the menu's recorder would write it.
    std::string WriteRecording()
    {
        SessionRecorder recorder;
        const SessionRecorder::Clock::time_point start = SessionRecorder::Clock::now();
        EXPECT_EQ(recorder.Start(m_folder.File("recordings"), start), "");
        ProtocolFrame frame{};
        frame[kFramePageOffset] = 33;
        EXPECT_EQ(recorder.Record(start, frame, TelemetryState{}), "");
        EXPECT_EQ(recorder.Record(start + std::chrono::milliseconds(10), frame, TelemetryState{}), "");
        recorder.Stop();
        return recorder.Path();
    }

    static inline const std::vector<std::string> kBoardOne{"--board-id", "1"};
};

} // namespace

TEST_F(DialogLinkStatusTest, TheLinkStatusAgreesWithTheLinkButtonThroughEveryChange)
{
    StartSim(kBoardOne);
    COrvaneDlg& dialog = OpenDialog();
    Expect(P::kClosed);

    SelectSimPort();
    Click(1002); // Start Debug
    Expect(P::kTransferring);
    WaitForStatus(Id(MessageId::kParamDownloadDone));
    Expect(P::kLinked);
    Click(1007); // Upload Param
    Expect(P::kTransferring);
    WaitForStatus(Id(MessageId::kParamUploadDone));
    Expect(P::kLinked);

    auto* ports = Find<CKRQCombo>(1001);
    ports->addItem(QStringLiteral("ttyFAKE"), QStringLiteral("/dev/null/none"));
    ChooseItem(*ports, ports->count() - 1); // another port while linked
    Expect(P::kClosed);

    Connect();
    Expect(P::kLinked);
    const std::string name = m_sim->Name();
    m_sim->Kill(SIGKILL);
    WaitForStatus(Id(MessageId::kTransmitError));
    Expect(P::kWatchingForPort);
    m_sim.reset();
    m_sim = std::make_unique<SimProcess>(
        m_folder.Path(), std::vector<std::string>{"--period", "2", "--board-id", "1", "--seed", "7"}, name);
    ASSERT_TRUE(WaitUntil([&] { return !m_prompts.m_offers.empty(); }));
    Expect(P::kLost);
    m_prompts.m_offers[0].take();
    Expect(P::kTransferring);
    WaitForStatus(Id(MessageId::kParamDownloadDone));
    Expect(P::kLinked);

    Click(1002); // Stop Debug
    Expect(P::kClosed);

    Connect();
    m_prompts.m_files.push_back(QString::fromStdString(WriteRecording()));
    dialog.MenuAction(UiText::kMenuReplay)->trigger(); // ends the link
    Expect(P::kReplaying);
    Click(1002); // Start Debug ends the replay
    Expect(P::kTransferring);
    WaitForStatus(Id(MessageId::kParamDownloadDone));

    m_prompts.m_files = {QString::fromStdString(WriteFirmwareFile(m_folder, 1, 57))};
    Click(1027);
    Click(1028); // Upgrade
    Expect(P::kUpgrading);
    ASSERT_TRUE(WaitUntil([&] { return Text(1028) == Message(Id(MessageId::kUpgrade)); }))
        << Status().toStdString();
    Expect(P::kClosed);
}
