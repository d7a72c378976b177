// End-to-end smoke test: commands over a pseudo-terminal to the simulator
// as a process. Failure answers and the auto-stop are tested in-process, on
// simulated time (tests/in_process).
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

} // namespace
