#include "link/gimbal_link.h"
#include "platform/pty_pair.h"
#include "protocol/protocol_test_support.h"
#include "resources/message_ids.h"

#include "support/poll_until.h"
#include "support/stepped_timer.h"
#include "support/thread_census.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Counts the link's wake-ups and lets the test wait for the next one, as
// the window's event queue would.
class WakeUpCounter {
public:
    void WakeUp()
    {
        std::lock_guard lock(m_mutex);
        ++m_count;
        m_changed.notify_all();
    }

    // Waits until `count` wake-ups came; false on time-out.
    bool WaitFor(int count, std::chrono::milliseconds timeout = 10s)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_count >= count; });
    }

    int Count()
    {
        std::lock_guard lock(m_mutex);
        return m_count;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_count = 0;
};

class RecordingObserver : public LinkObserver {
public:
    void OnFrameDecoded(const ProtocolFrame& frame) override { m_frames.push_back(frame); }
    void OnLinkLost() override { ++m_losses; }

    std::vector<ProtocolFrame> m_frames;
    int m_losses = 0;
};

class NoQuestion : public ConfirmQuestion {
public:
    bool Confirm(int) override { return false; }
};

ProtocolFrame OutboundFrameFrom(const std::vector<uint8_t>& bytes)
{
    ProtocolFrame frame{};
    std::copy(bytes.begin(), bytes.end(), frame.begin());
    return frame;
}

class GimbalLinkTest : public ::testing::Test {
protected:
    GimbalLinkTest()
    {
        m_link->SetObserver(&m_observer);
        m_link->SetSendPeriod(5);
    }

    // Handles wake-ups as the owner's loop would, until `done()` holds; the
    // limit only bounds a test that would otherwise hang.
    bool PumpUntil(const std::function<bool()>& done)
    {
        const auto give_up = std::chrono::steady_clock::now() + 10s;
        while (!done() && std::chrono::steady_clock::now() < give_up) {
            if (m_wakes.WaitFor(m_handled + 1, 5ms)) {
                ++m_handled;
                m_link->HandleWakeUp();
            }
        }
        return done();
    }

    // Starts the sender, which sends a frame at each step of its timer.
    void StartSender()
    {
        const int waits = m_timer.Waits();
        m_link->StartSender();
        ASSERT_TRUE(m_timer.WaitForWaits(waits + 1));
    }

    // The frame the sender sends at its next wake-up.
    ProtocolFrame NextSentFrame()
    {
        EXPECT_TRUE(m_timer.Step());
        return OutboundFrameFrom(m_pty.ReadFromSlave(kFrameSize));
    }

    // Waits until `count` bytes are queued.
    bool QueuedSoon(size_t count)
    {
        return PollUntil([&] { return m_link->QueuedByteCount() >= count; });
    }

    PtyPair m_pty;
    RecordingView m_view;
    NoQuestion m_question;
    RecordingObserver m_observer;
    WakeUpCounter m_wakes;
    int m_handled = 0;
    std::unique_ptr<SteppedTimer> m_owned_timer = std::make_unique<SteppedTimer>();
    SteppedTimer& m_timer = *m_owned_timer;
    std::unique_ptr<GimbalLink> m_link = std::make_unique<GimbalLink>(
        m_view, m_question, [this] { m_wakes.WakeUp(); }, nullptr, std::move(m_owned_timer));
};

TEST_F(GimbalLinkTest, StartSendsTheDownloadRequestAndInboundFramesReachTheObserver)
{
    m_link->SetAutoStop(true);
    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    StartSender(); // after the start, so the first frame carries its requests
    EXPECT_EQ(m_view.LastMessage(), Id(MessageId::kParamDownloading));

    const ProtocolFrame sent = NextSentFrame();
    EXPECT_TRUE(CheckFrame(sent));
    EXPECT_EQ(sent[0], kOutboundHeader0);
    EXPECT_EQ(sent[kFrameCodeOffset], 2);  // every connection begins with a stop
    EXPECT_EQ(sent[kFramePageOffset], 17); // and a parameter download

    // Garbage first, then an answer with a bad CRC, then a good one.
    const ProtocolFrame answer = InboundFrame(2, 17);
    ProtocolFrame broken = answer;
    broken[40] ^= 0xFF;
    std::vector<uint8_t> line{0xB9, 0x00, 0x6C};
    line.insert(line.end(), broken.begin(), broken.end());
    line.insert(line.end(), answer.begin(), answer.end());
    m_pty.WriteToSlave(line);
    ASSERT_TRUE(PumpUntil([&] { return !m_observer.m_frames.empty(); }));
    ASSERT_EQ(m_observer.m_frames.size(), 1u);
    EXPECT_EQ(m_observer.m_frames[0], answer);
    EXPECT_EQ(m_link->State().m_command.load(), 0);
    EXPECT_EQ(m_link->State().m_page.load(), 18);
    EXPECT_EQ(m_link->QueuedByteCount(), 0u);
}

TEST_F(GimbalLinkTest, ManyBurstsWakeTheOwnerOnceUntilItHandlesThem)
{
    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    for (size_t burst = 1; burst <= 20; ++burst) {
        m_pty.WriteToSlave({0x01, 0x02});
        ASSERT_TRUE(QueuedSoon(2 * burst));
        ASSERT_EQ(m_link->QueuedByteCount(), 2 * burst);
    }
    EXPECT_EQ(m_wakes.Count(), 1);

    // Handled: the next news wakes the owner once more, and only once.
    m_link->HandleWakeUp();
    EXPECT_EQ(m_link->QueuedByteCount(), 0u);
    m_pty.WriteToSlave({0x03});
    EXPECT_TRUE(m_wakes.WaitFor(2));
    ASSERT_TRUE(QueuedSoon(1));
    m_pty.WriteToSlave({0x04});
    ASSERT_TRUE(QueuedSoon(2));
    EXPECT_EQ(m_wakes.Count(), 2);
}

TEST_F(GimbalLinkTest, ABacklogIsHandledASliceAtATimeEachWithAFreshWakeUp)
{
    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    const ProtocolFrame good = InboundFrame(0, 17);
    ProtocolFrame broken = good;
    broken[40] ^= 0xFF;
    std::vector<uint8_t> line;
    const size_t frames = 2 * kReceiveSliceBytes / kFrameSize + 1;
    for (size_t i = 0; i < frames; ++i)
        line.insert(line.end(), good.begin(), good.end());
    line.insert(line.end(), broken.begin(), broken.end());
    m_pty.WriteAllToSlave(line);
    ASSERT_TRUE(QueuedSoon(line.size()));
    ASSERT_EQ(m_link->QueuedByteCount(), line.size());
    ASSERT_TRUE(m_wakes.WaitFor(1));

    m_link->HandleWakeUp();
    EXPECT_EQ(m_observer.m_frames.size(), kReceiveSliceBytes / kFrameSize);
    EXPECT_EQ(m_wakes.Count(), 2) << "the rest waits for the owner's next turn";
    m_handled = 1;
    ASSERT_TRUE(PumpUntil([&] { return m_link->QueuedByteCount() == 0; }));
    EXPECT_EQ(m_observer.m_frames.size(), frames);

    const LinkCounters counters = m_link->Counters();
    EXPECT_EQ(counters.m_bytes_received, line.size());
    EXPECT_EQ(counters.m_bytes_dropped, 0u);
    EXPECT_EQ(counters.m_frames_decoded, frames);
    EXPECT_EQ(counters.m_frames_rejected, 1u);
}

TEST_F(GimbalLinkTest, ALostPortIsReportedOnceAndAStartAfterwardsBeginsAfresh)
{
    StartSender();
    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    ASSERT_EQ(NextSentFrame()[0], kOutboundHeader0);
    m_pty.CloseMaster();
    ASSERT_TRUE(m_timer.Step()); // the write fails, unless the reader saw the hang-up first
    ASSERT_TRUE(PumpUntil([&] { return m_observer.m_losses > 0; }));
    EXPECT_FALSE(m_link->IsPortOpen());
    EXPECT_EQ(m_view.statuses.back(), (ShownStatus{Id(MessageId::kTransmitError), kRed}));
    // The sender keeps running on a closed port: no further report.
    const int wakes = m_wakes.Count();
    ASSERT_TRUE(m_timer.Step());
    ASSERT_TRUE(m_timer.Step());
    m_link->HandleWakeUp();
    EXPECT_EQ(m_wakes.Count(), wakes);
    EXPECT_EQ(m_observer.m_losses, 1);

    // The user ends the link as usual; the status line is cleared.
    const int clears = m_view.clears;
    m_link->StopLink();
    EXPECT_EQ(m_view.clears, clears + 1);
    EXPECT_EQ(m_link->State().m_page.load(), 0);
}

TEST_F(GimbalLinkTest, AHangUpIsReportedWhenTheReaderSeesItWithoutWaitingForAWrite)
{
    // No sender: nothing is written, so only the reader can learn of the loss.
    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    const ProtocolFrame answer = InboundFrame(0, 17);
    m_pty.WriteToSlave(std::vector<uint8_t>(answer.begin(), answer.end()));
    ASSERT_TRUE(PumpUntil([&] { return !m_observer.m_frames.empty(); }));
    m_pty.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return m_observer.m_losses > 0; }));
    EXPECT_EQ(m_link->LossCause(), LinkLoss::kHungUp);
    EXPECT_FALSE(m_link->IsPortOpen());
    EXPECT_EQ(m_view.statuses.back(), (ShownStatus{Id(MessageId::kTransmitError), kRed}));
    EXPECT_EQ(m_observer.m_losses, 1);

    // A new start forgets the loss.
    PtyPair returned;
    ASSERT_TRUE(m_link->StartLink(returned.SlaveName(), 115200).Succeeded());
    EXPECT_EQ(m_link->LossCause(), LinkLoss::kNone);
}

TEST_F(GimbalLinkTest, ALossTheOwnersOwnStopOvertookIsNotReported)
{
    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    m_pty.CloseMaster();
    ASSERT_TRUE(m_wakes.WaitFor(1)); // the hang-up's news waits in the owner's queue
    m_link->StopLink();
    m_link->HandleWakeUp();
    EXPECT_EQ(m_observer.m_losses, 0);
    EXPECT_EQ(m_link->LossCause(), LinkLoss::kNone);
}

TEST_F(GimbalLinkTest, AFailedStartSaysWhyAndChangesNothingElse)
{
    const PortOpenResult missing = m_link->StartLink("/dev/orvane-no-such-port", 115200);
    EXPECT_EQ(missing.cause, PortOpenCause::kMissing);
    EXPECT_EQ(m_view.statuses, (std::vector<ShownStatus>{{Id(MessageId::kPortOpenFailed), kRed}}));
    EXPECT_EQ(m_link->State().m_page.load(), 0);
    EXPECT_FALSE(m_link->IsPortOpen());

    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    RecordingView other_view;
    GimbalLink other(other_view, m_question, [] {});
    EXPECT_EQ(other.StartLink(m_pty.SlaveName(), 115200).cause, PortOpenCause::kBusy);
    EXPECT_EQ(other.State().m_page.load(), 0);
}

TEST_F(GimbalLinkTest, StopAndStartCyclesKeepOneReaderAndFramesFlowingEachTime)
{
    StartSender();
    const size_t threads = CountLinkThreads();
    for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded()) << cycle;
        EXPECT_EQ(CountLinkThreads(), threads + 1);
        EXPECT_EQ(m_link->State().m_page.load(), 17);
        EXPECT_EQ(NextSentFrame()[kFramePageOffset], 17) << cycle;
        const ProtocolFrame answer = InboundFrame(0, 17);
        m_pty.WriteToSlave(std::vector<uint8_t>(answer.begin(), answer.end()));
        const size_t decoded = m_observer.m_frames.size();
        ASSERT_TRUE(PumpUntil([&] { return m_observer.m_frames.size() > decoded; })) << cycle;

        m_link->StopLink();
        EXPECT_FALSE(m_link->IsPortOpen());
        EXPECT_EQ(m_link->State().m_page.load(), 0);
        EXPECT_EQ(m_link->State().m_transfer_active.load(), 0);
        EXPECT_EQ(CountLinkThreads(), threads);
        m_pty.DrainMaster();
    }
    EXPECT_EQ(m_observer.m_losses, 0);
}

TEST_F(GimbalLinkTest, NothingIsCalledAfterDestructionAndNoThreadIsLeft)
{
    const size_t threads = CountLinkThreads();
    StartSender();
    ASSERT_TRUE(m_link->StartLink(m_pty.SlaveName(), 115200).Succeeded());
    EXPECT_EQ(CountLinkThreads(), threads + 2);

    // The far end keeps talking while the link goes, and nobody handles
    // the wake-up, so a late one would show.
    std::atomic<bool> talking{true};
    std::thread talker([&] {
        const uint8_t bytes[16] = {};
        while (talking)
            if (write(m_pty.Master(), bytes, sizeof bytes) < 0)
                m_pty.WaitWritable();
    });
    ASSERT_TRUE(m_wakes.WaitFor(1));
    m_link->HandleWakeUp();
    ASSERT_TRUE(m_wakes.WaitFor(2));
    m_link.reset();
    EXPECT_EQ(CountLinkThreads(), threads) << "no thread is left to wake the owner";
    talking = false;
    talker.join();
}

} // namespace
