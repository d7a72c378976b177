#include "link/gimbal_session.h"
#include "platform/pty_pair.h"
#include "resources/message_ids.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The command-line tool's session reads the port on its own thread: a
// hang-up ends its wait at once, though it writes nothing (period 0).
TEST(GimbalSession, AHangUpEndsTheWaitWithTheLossAndItsCause)
{
    PtyPair pty;
    GimbalSession session(0, false);
    ASSERT_TRUE(session.StartLink(pty.SlaveName(), 115200));
    pty.CloseMaster();
    const auto deadline = GimbalSession::Clock::now() + 20s;
    EXPECT_FALSE(session.PumpUntil([] { return false; }, deadline));
    EXPECT_TRUE(session.IsLinkLost());
    EXPECT_EQ(session.LossCause(), LinkLoss::kHungUp);
    EXPECT_EQ(session.StatusMessage(), Id(MessageId::kTransmitError));
}

} // namespace
