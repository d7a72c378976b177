// Command buttons of the window against the simulated gimbal: questions,
// refusals and answers in the status line.
#include "dialog_fixture.h"

TEST_F(DialogTest, ACalibrationAsksFirstAndNoChangesNothing)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    // The gimbal allows calibrations on its live status page.
    ASSERT_TRUE(WaitUntil([&] { return dialog.Link().Telemetry().m_cal_allowed != 0; }));
    m_prompts.m_answer_yes = false;
    Click(1083);
    ASSERT_EQ(m_prompts.m_questions.size(), 1u);
    EXPECT_EQ(m_prompts.m_questions[0], Message(209));
    EXPECT_EQ(m_prompts.m_captions[0], QStringLiteral("orvane"));
    EXPECT_EQ(Status(), Message(142));
    EXPECT_EQ(dialog.Link().State().m_command.load(), 0);

    m_prompts.m_answer_yes = true;
    Click(1083);
    EXPECT_EQ(Status(), Message(163));
    EXPECT_EQ(dialog.Link().State().m_command.load(), 7);
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(178); })) << Status().toStdString();
    EXPECT_EQ(StatusColour(), QColor(0, 0, 0));
    EXPECT_EQ(dialog.Link().State().m_command.load(), 0);
}

TEST_F(DialogTest, ARefusedCalibrationSaysConditionsNotSatisfiedInMagentaWithoutAsking)
{
    StartSim({"--no-cal"});
    OpenDialog();
    Connect();
    // The refusal comes from the live status page the gimbal sends.
    ASSERT_TRUE(WaitUntil([&] { return !Text(1046).isEmpty(); }));
    Click(1083);
    EXPECT_TRUE(m_prompts.m_questions.empty());
    EXPECT_EQ(Status(), Message(137));
    EXPECT_EQ(StatusColour(), QColor(255, 0, 255));
}

TEST_F(DialogTest, CommandsWithTheLinkClosedDoNothing)
{
    OpenDialog();
    for (const int button : {1012, 1013, 1016, 1083, 1048, 1107})
        Click(button);
    EXPECT_TRUE(m_prompts.m_questions.empty());
    EXPECT_EQ(Status(), QString());
}

TEST_F(DialogTest, HiddenCameraButtonsWorkLikeVisibleOnes)
{
    StartSim();
    OpenDialog();
    Connect();
    Click(1048);
    EXPECT_EQ(Status(), Message(157));
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(184); })) << Status().toStdString();
}
