#include "e2e/sim_link_fixture.h"
#include "protocol/command_table.h"

#include <gtest/gtest.h>

namespace {

class CommandTest : public SimLinkTest {
protected:
    // Sends the named command and pumps until its answer has ended it.
    static void RunToAnswer(GimbalSession& session, const char* name)
    {
        const auto& command = *FindCommandByName(name);
        const uint64_t acks_before = session.AckCount();
        ASSERT_EQ(session.Transactions().RunCommand(command), CommandOutcome::kSent);
        EXPECT_EQ(session.StatusMessage(), command.progress_message);
        ASSERT_TRUE(Pump(session, [&] { return session.AckCount() > acks_before; }));
        EXPECT_EQ(session.State().m_command.load(), 0);
    }
};

TEST_F(CommandTest, RunAndStopAreAcknowledged)
{
    StartSim();
    GimbalSession session(kTestSendPeriodMs, false);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));
    ASSERT_TRUE(PumpUntilTransferDone(session));

    for (const char* name : {"run", "stop", "run"}) {
        SCOPED_TRACE(name);
        const auto& command = *FindCommandByName(name);
        RunToAnswer(session, name);
        EXPECT_EQ(session.LastAckCode(), command.code);
        EXPECT_EQ(session.StatusMessage(), command.success_message);
        EXPECT_EQ(session.StatusColour(), kBlack);
    }
}

TEST_F(CommandTest, AFailureAnswerIsShownInRedAndEndsTheCommand)
{
    StartSim({"--fail", "1"});
    GimbalSession session(kTestSendPeriodMs, false);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));

    RunToAnswer(session, "run");
    EXPECT_EQ(session.LastAckCode(), 1 + kAckFailureOffset);
    EXPECT_EQ(session.StatusMessage(), FindCommandByName("run")->failure_message);
    EXPECT_EQ(session.StatusColour(), kRed);
    // Commands that are not made to fail still succeed.
    RunToAnswer(session, "stop");
    EXPECT_EQ(session.LastAckCode(), kGimbalStopCode);
}

TEST_F(CommandTest, SilenceAfterValidFramesMakesTheAutoStopSendStop)
{
    StartSim({"--silent-after", "1.5"});
    GimbalSession session(kTestSendPeriodMs, true);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));
    // Every connection with auto-stop on begins with a stop; wait for its answer.
    EXPECT_EQ(session.State().m_command.load(), kGimbalStopCode);
    ASSERT_TRUE(Pump(session, [&] { return session.AckCount() > 0; }));
    ASSERT_EQ(session.State().m_command.load(), 0);

    ASSERT_TRUE(Pump(session, [&] { return session.State().m_command.load() == kGimbalStopCode; }));
    EXPECT_GE(session.State().m_autostop_count.load(), CommandTransactions::kAutoStopTicks);
    EXPECT_FALSE(session.IsLinkLost());
}

} // namespace
