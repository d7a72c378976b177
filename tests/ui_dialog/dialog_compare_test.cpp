// Comparing before values are taken: opening a file while linked, and the
// gimbal against a file from the window's menu.
#include "dialog_fixture.h"

#include "params/param_file.h"
#include "resources/control_ids.h"
#include "resources/message_ids.h"
#include "sim/default_params.h"
#include "ui/controls/ckrq_edit.h"

namespace {

constexpr int kRollKpEdit = 1023;
constexpr int kPitchKpEdit = 1040;

std::vector<std::string> KeysOf(const ComparisonChoice& choice)
{
    std::vector<std::string> keys;
    for (const ParamDifference& difference : choice.differences)
        keys.push_back(difference.key);
    return keys;
}

class DialogCompareTest : public DialogTest {
protected:
    // A file with the factory set but for two gains.
    QString WriteFileWithGains(double roll_kp, double pitch_kp)
    {
        GimbalParams params = DefaultGimbalParams();
        params.m_roll_pid_kp = roll_kp;
        params.m_pitch_pid_kp = pitch_kp;
        const std::string path = m_folder.File("tuned.rkdp");
        EXPECT_TRUE(SaveParamFile(path, params));
        return QString::fromStdString(path);
    }

    void OpenFile(const QString& path)
    {
        m_prompts.m_files.push_back(path);
        Click(Id(ControlId::kOpenParamButton));
    }
};

} // namespace

TEST_F(DialogCompareTest, OpeningAFileWhileLinkedTakesOnlyTheChosenDifferencesAndUploadAsksNothing)
{
    StartSim();
    OpenDialog();
    Connect();
    const QString roll_before = Text(kRollKpEdit);
    const QString path = WriteFileWithGains(201, 202);

    m_prompts.m_cancel_comparisons = true;
    OpenFile(path);
    ASSERT_EQ(m_prompts.m_comparisons.size(), 1u);
    EXPECT_EQ(Text(kRollKpEdit), roll_before) << "a cancelled comparison takes nothing";

    m_prompts.m_cancel_comparisons = false;
    m_prompts.m_keys_to_take = std::vector<std::string>{"m_pitch_pid_kp"};
    OpenFile(path);
    ASSERT_EQ(m_prompts.m_comparisons.size(), 2u);
    const ComparisonChoice& choice = m_prompts.m_comparisons.back();
    EXPECT_EQ(choice.current_label, "Panel");
    EXPECT_EQ(choice.title, "Differences from tuned.rkdp");
    ASSERT_EQ(KeysOf(choice), (std::vector<std::string>{"m_roll_pid_kp", "m_pitch_pid_kp"}));
    EXPECT_EQ(choice.differences[0].caption, "KP (roll)");
    EXPECT_EQ(QString::fromStdString(choice.differences[0].current_text), roll_before);
    EXPECT_EQ(choice.differences[0].other_text, "201");
    EXPECT_EQ(Text(kRollKpEdit), roll_before);
    EXPECT_EQ(Text(kPitchKpEdit), "202");
    EXPECT_EQ(Status(), Message(Id(MessageId::kParamFileOpened)));

    Click(Id(ControlId::kUploadButton));
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(Id(MessageId::kParamUploadDone)); }))
        << Status().toStdString();
    EXPECT_TRUE(m_prompts.m_questions.empty());
    EXPECT_EQ(m_prompts.m_comparisons.size(), 2u);
}

TEST_F(DialogCompareTest, AFileOpenedWithoutLinkFillsThePanelAsBefore)
{
    OpenDialog();
    OpenFile(WriteFileWithGains(201, 202));
    EXPECT_TRUE(m_prompts.m_comparisons.empty());
    EXPECT_EQ(Text(kRollKpEdit), "201");
    EXPECT_EQ(Text(kPitchKpEdit), "202");
}

TEST_F(DialogCompareTest, TheGimbalIsComparedAfterAFreshDownloadThatDropsUnsentEdits)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    QAction* compare = dialog.MenuAction(UiText::kMenuCompareGimbalWithFile);
    ASSERT_NE(compare, nullptr);
    compare->trigger();
    EXPECT_EQ(Status().toStdString(), LoadUiText(UiText::kCompareNeedsLink)) << "no link, no gimbal values";

    Connect();
    const GimbalParams factory = DefaultGimbalParams();
    Find<CKRQEdit>(kRollKpEdit)->setText("99"); // typed but never uploaded
    m_prompts.m_files.push_back(WriteFileWithGains(factory.m_roll_pid_kp, 202));
    m_prompts.m_keys_to_take = std::vector<std::string>{"m_pitch_pid_kp"};
    compare->trigger();

    ASSERT_TRUE(WaitUntil([&] { return !m_prompts.m_comparisons.empty(); })) << Status().toStdString();
    const ComparisonChoice& choice = m_prompts.m_comparisons.back();
    EXPECT_EQ(choice.current_label, "Gimbal");
    EXPECT_EQ(KeysOf(choice), std::vector<std::string>{"m_pitch_pid_kp"})
        << "the gimbal's roll gain is the file's";
    EXPECT_EQ(Status(), Message(Id(MessageId::kParamDownloadDone)));
    EXPECT_EQ(Text(kPitchKpEdit), "202");
}

TEST_F(DialogCompareTest, AFileOpenedWhileTheGimbalIsBeingReadLeavesTheComparisonToTheGimbalsValues)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    const GimbalParams factory = DefaultGimbalParams();
    GimbalParams opened = factory;
    opened.m_roll_pid_kp = 201;
    const std::string opened_path = m_folder.File("opened.rkdp");
    ASSERT_TRUE(SaveParamFile(opened_path, opened));
    m_prompts.m_files.push_back(WriteFileWithGains(factory.m_roll_pid_kp, 202));
    dialog.MenuAction(UiText::kMenuCompareGimbalWithFile)->trigger();

    OpenFile(QString::fromStdString(opened_path)); // before the gimbal has answered
    ASSERT_EQ(m_prompts.m_comparisons.size(), 1u);
    EXPECT_EQ(m_prompts.m_comparisons[0].current_label, "Panel");

    ASSERT_TRUE(WaitUntil([&] { return m_prompts.m_comparisons.size() == 2u; })) << Status().toStdString();
    const ComparisonChoice& gimbal = m_prompts.m_comparisons[1];
    EXPECT_EQ(gimbal.current_label, "Gimbal");
    EXPECT_EQ(Status().toStdString(), Message(Id(MessageId::kParamDownloadDone)).toStdString())
        << "compared once the gimbal's values are in";
    EXPECT_EQ(KeysOf(gimbal), std::vector<std::string>{"m_pitch_pid_kp"})
        << "the gimbal's values, not the opened file's";
}

// The upload sends the panel as it was when "Upload Param" was pressed:
// saving to a file or comparing with one while it runs reads the panel
// again, which must not reach the frames still to be sent. The stuck power
// travels on page 2, sent only after the window has seen page 1 answered,
// so the edits below always come before it.
TEST_F(DialogCompareTest, SavingOrComparingDuringAnUploadLeavesWhatIsSentAlone)
{
    StartSim();
    OpenDialog();
    Connect();
    constexpr int kStuckPowerEdit = 1160;
    constexpr int kSaveParamButton = 1015;
    auto* stuck_power = Find<CKRQEdit>(kStuckPowerEdit);
    const QString path = WriteFileWithGains(201, 202);
    m_prompts.m_cancel_comparisons = true;

    const struct {
        const char* what;
        std::function<void()> read_panel_again;
    } cases[] = {
        {"save",
         [&] {
             m_prompts.m_files.push_back(QString::fromStdString(m_folder.File("saved.rkdp")));
             Click(kSaveParamButton);
         }},
        {"compare", [&] { OpenFile(path); }},
    };
    int uploaded = 40;
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        ++uploaded;
        stuck_power->setText(QString::number(uploaded));
        Click(Id(ControlId::kUploadButton));
        ASSERT_EQ(Status(), Message(Id(MessageId::kParamUploading)));
        stuck_power->setText("7"); // typed while the upload runs
        each.read_panel_again();
        ASSERT_TRUE(WaitUntil([&] { return Status() == Message(Id(MessageId::kParamUploadDone)); }))
            << Status().toStdString();

        Click(Id(ControlId::kDownloadButton));
        ASSERT_TRUE(WaitUntil([&] { return Status() == Message(Id(MessageId::kParamDownloadDone)); }))
            << Status().toStdString();
        EXPECT_EQ(stuck_power->text(), QString::number(uploaded)) << "the gimbal holds what was uploaded";
    }
}
