#include "link/ckrq_serial_port.h"
#include "link/recording_sink.h"
#include "link/send_frame.h"
#include "platform/pty_pair.h"

#include "support/poll_until.h"
#include "support/thread_census.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;

class SerialPortTest : public ::testing::Test {
protected:
    SerialPortTest() { m_port.SetOwner(&m_sink); }

    bool IsOpen() { return m_port.IsOpen(); }

    // Waits until the queue holds `count` bytes, then takes them all.
    std::vector<uint8_t> WaitQueued(size_t count)
    {
        WaitQueuedCount(count);
        return TakeAll();
    }

    std::vector<uint8_t> TakeAll()
    {
        std::vector<uint8_t> bytes;
        m_port.TakeQueued(bytes, SIZE_MAX);
        return bytes;
    }

    // Waits until the queue holds `count` bytes and leaves them there.
    size_t WaitQueuedCount(size_t count)
    {
        PollUntil([&] { return m_port.QueuedByteCount() >= count; });
        return m_port.QueuedByteCount();
    }

    PtyPair m_pty;
    RecordingSink m_sink;
    CKRQSerialPort m_port;
};

TEST_F(SerialPortTest, QueuesReceivedBytesAndTellsTheOwner)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    EXPECT_TRUE(IsOpen());
    m_pty.WriteToSlave({0x6C, 0xB9, 1, 2});
    ASSERT_TRUE(m_sink.WaitFor(kSerialBytesQueued, 1));
    m_pty.WriteToSlave({3, 4});
    ASSERT_TRUE(m_sink.WaitFor(kSerialBytesQueued, 2));
    EXPECT_EQ(WaitQueued(6), (std::vector<uint8_t>{0x6C, 0xB9, 1, 2, 3, 4}));
}

TEST_F(SerialPortTest, AFloodKeepsTheNewestBytesWithinTheBoundAndCountsTheRest)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    // Nobody drains the queue while the far end writes twice its capacity.
    std::vector<uint8_t> flood(2 * kReceiveQueueCapacity + 77);
    for (size_t i = 0; i < flood.size(); ++i)
        flood[i] = static_cast<uint8_t>(i * 7 + i / 251);
    m_pty.WriteAllToSlave(flood);
    PollUntil([&] { return m_port.Counts().m_received >= flood.size(); });

    const CKRQSerialPort::ReceiveCounts counts = m_port.Counts();
    EXPECT_EQ(counts.m_received, flood.size());
    EXPECT_EQ(counts.m_dropped, flood.size() - kReceiveQueueCapacity);
    const std::vector<uint8_t> kept = TakeAll();
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), flood.end() - kReceiveQueueCapacity, flood.end()))
        << "the oldest bytes give way, the newest stay in order";
}

TEST_F(SerialPortTest, FailedOpenLeavesThePortClosed)
{
    EXPECT_FALSE(m_port.Open("/dev/orvane-no-such-port", 115200));
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(m_port.HasReader());

    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    CKRQSerialPort second;
    EXPECT_FALSE(second.Open(m_pty.SlaveName(), 115200)); // in use
}

TEST_F(SerialPortTest, CloseTwiceIsHarmlessAndKeepsTheQueue)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_pty.WriteToSlave({5, 6});
    ASSERT_EQ(WaitQueuedCount(2), 2u);
    m_port.Close();
    m_port.Close();
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(m_port.HasReader());
    EXPECT_EQ(TakeAll(), (std::vector<uint8_t>{5, 6}));
}

TEST_F(SerialPortTest, ReopenEmptiesTheQueueAndStartsAFreshReader)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_pty.WriteToSlave({1, 2, 3});
    ASSERT_EQ(WaitQueuedCount(3), 3u);
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 921600)); // open while open
    EXPECT_EQ(m_port.QueuedByteCount(), 0u);
    m_pty.WriteToSlave({4});
    EXPECT_EQ(WaitQueued(1), std::vector<uint8_t>{4});
}

TEST_F(SerialPortTest, HangUpIsReportedOnceByTheReaderAndThePortWaitsForItsOwnerToClose)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_pty.WriteToSlave({7, 8});
    ASSERT_EQ(WaitQueuedCount(2), 2u);
    m_pty.CloseMaster();
    ASSERT_TRUE(m_sink.WaitFor(kSerialHungUp, 1));
    EXPECT_TRUE(IsOpen()) << "the reader cannot close the port it runs under";
    EXPECT_EQ(TakeAll(), (std::vector<uint8_t>{7, 8})) << "bytes before the hang-up stay queued";

    // The write on the gone device fails and closes it: one report of its own.
    SendFrame(m_port, ProtocolFrame{});
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(m_sink.Count(kSerialWriteFailed), 1u);
    SendFrame(m_port, ProtocolFrame{}); // closed now: dropped, no second report
    EXPECT_EQ(m_sink.Count(kSerialWriteFailed), 1u);
    EXPECT_EQ(m_sink.Count(kSerialHungUp), 1u);
}

TEST(SerialPortReadByOwner, QueuesWhatTheDriverHoldsOnTheCallersThreadUntilHangUp)
{
    PtyPair pty;
    RecordingSink sink;
    CKRQSerialPort port(PortReading::kOwnerThread);
    port.SetOwner(&sink);
    const size_t threads = CountLinkThreads();
    ASSERT_TRUE(port.Open(pty.SlaveName(), 115200));
    EXPECT_FALSE(port.HasReader());
    EXPECT_EQ(CountLinkThreads(), threads);
    EXPECT_TRUE(port.ReadAvailable(1024).m_alive); // nothing there: no wait, no news
    EXPECT_EQ(sink.Count(kSerialBytesQueued), 0u);

    std::vector<uint8_t> burst(3000);
    for (size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<uint8_t>(i);
    pty.WriteAllToSlave(burst);
    std::vector<uint8_t> queued;
    PollUntil([&] {
        const SerialReadResult read = port.ReadAvailable(1024);
        EXPECT_TRUE(read.m_alive);
        EXPECT_LE(read.m_count, 1024u);
        std::vector<uint8_t> taken;
        port.TakeQueued(taken, SIZE_MAX);
        queued.insert(queued.end(), taken.begin(), taken.end());
        return queued.size() >= burst.size();
    });
    EXPECT_EQ(queued, burst);
    EXPECT_GT(sink.Count(kSerialBytesQueued), 0u);

    pty.CloseMaster();
    EXPECT_EQ(sink.Count(kSerialHungUp), 0u);
    EXPECT_FALSE(port.ReadAvailable(1024).m_alive);
    EXPECT_EQ(sink.Count(kSerialHungUp), 1u) << "the read that finds the device gone reports it";
    EXPECT_FALSE(port.ReadAvailable(1024).m_alive) << "a gone device is not read again";
    EXPECT_EQ(sink.Count(kSerialHungUp), 1u);
    EXPECT_TRUE(port.IsOpen()) << "its owner closes it, as with a reader thread";

    PtyPair returned;
    ASSERT_TRUE(port.Open(returned.SlaveName(), 115200));
    EXPECT_TRUE(port.ReadAvailable(1024).m_alive) << "a reopened port is read again";
}

TEST_F(SerialPortTest, APortWithAReaderThreadIsNotReadByItsOwnerToo)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    ASSERT_TRUE(m_port.HasReader());
    m_pty.WriteToSlave({1, 2, 3});
    ASSERT_EQ(WaitQueuedCount(3), 3u);
    const SerialReadResult read = m_port.ReadAvailable(1024);
    EXPECT_EQ(read.m_count, 0u);
    EXPECT_TRUE(read.m_alive);
    EXPECT_EQ(TakeAll(), (std::vector<uint8_t>{1, 2, 3})) << "each byte queued once, by the reader";
}

TEST(SerialPortShutdown, LeavesNoThreadAndPostsNothingAfterwards)
{
    PtyPair pty;
    const size_t threads = CountLinkThreads();
    auto sink = std::make_unique<RecordingSink>();
    auto port = std::make_unique<CKRQSerialPort>();
    port->SetOwner(sink.get());
    ASSERT_TRUE(port->Open(pty.SlaveName(), 115200));
    EXPECT_EQ(CountLinkThreads(), threads + 1);

    // The far end keeps talking while the port goes away.
    std::atomic<bool> talking{true};
    std::thread talker([&] {
        const uint8_t bytes[16] = {};
        while (talking)
            if (write(pty.Master(), bytes, sizeof bytes) < 0)
                pty.WaitWritable();
    });
    ASSERT_TRUE(sink->WaitFor(kSerialBytesQueued, 1));
    port.reset();
    EXPECT_EQ(CountLinkThreads(), threads);
    sink.reset(); // no reader is left to post to freed memory
    talking = false;
    talker.join();
    EXPECT_EQ(CountLinkThreads(), threads);
}

} // namespace
