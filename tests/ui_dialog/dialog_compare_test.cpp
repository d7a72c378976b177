// Comparing before values are taken: opening a file while linked, and the
// gimbal against a file from the window's menu.
#include "dialog_fixture.h"

#include "params/param_file.h"
#include "sim/default_params.h"
#include "ui/controls/ckrq_edit.h"

namespace {

constexpr int kOpenParamButton = 1014;
constexpr int kUploadButton = 1007;
constexpr int kRollKpEdit = 1023;
constexpr int kPitchKpEdit = 1040;
constexpr int kFileOpenedMessage = 246;
constexpr int kDownloadDoneMessage = 142;
constexpr int kUploadDoneMessage = 140;

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
        Click(kOpenParamButton);
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
    EXPECT_EQ(Status(), Message(kFileOpenedMessage));

    Click(kUploadButton);
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(kUploadDoneMessage); })) << Status().toStdString();
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
    EXPECT_EQ(Status(), Message(kDownloadDoneMessage));
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
    EXPECT_EQ(Status().toStdString(), Message(kDownloadDoneMessage).toStdString())
        << "compared once the gimbal's values are in";
    EXPECT_EQ(KeysOf(gimbal), std::vector<std::string>{"m_pitch_pid_kp"})
        << "the gimbal's values, not the opened file's";
}
