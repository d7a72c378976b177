// A gimbal that vanishes while the window only listens: the reader's
// hang-up alone must reach the status line and the lost-link watch.
#include "dialog_fixture.h"

#include <csignal>

namespace {

constexpr int kTransmitErrorMessage = 132;
constexpr int kStopDebugMessage = 199;

} // namespace

TEST_F(DialogTest, AHangUpIsShownWhenTheReaderSeesItThoughNothingIsWritten)
{
    StartSim();
    COrvaneDlg& dialog = OpenDialog();
    Connect();
    // No write can fail from here on.
    dialog.Link().StopSender();
    m_sim->Kill(SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return Status() == Message(kTransmitErrorMessage); }))
        << Status().toStdString();
    EXPECT_EQ(dialog.Link().LossCause(), LinkLoss::kHungUp);
    EXPECT_FALSE(dialog.Link().IsPortOpen());
    EXPECT_EQ(Text(1002), Message(kStopDebugMessage)) << "the user ends the link as after a failed write";
}
