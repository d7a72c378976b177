#include "link/ckrq_serial_port.h"
#include "link/recording_sink.h"
#include "link/send_frame.h"
#include "platform/pty_pair.h"
#include "platform/system_calls_posix.h"

#include <gtest/gtest.h>

#include <deque>
#include <mutex>

namespace {

// What the next write calls do; once the script is used up they go through.
enum class WriteFault { kInterrupt, kFull, kTake30, kIoError };

std::mutex g_script_lock;
std::deque<WriteFault> g_script;

ssize_t ScriptedWrite(int fd, const void* data, size_t count)
{
    std::unique_lock lock(g_script_lock);
    if (g_script.empty()) {
        lock.unlock();
        return RealPosixCalls().write(fd, data, count);
    }
    const WriteFault fault = g_script.front();
    g_script.pop_front();
    lock.unlock();
    switch (fault) {
    case WriteFault::kInterrupt:
        errno = EINTR;
        return -1;
    case WriteFault::kFull:
        errno = EAGAIN;
        return -1;
    case WriteFault::kTake30:
        return RealPosixCalls().write(fd, data, std::min<size_t>(count, 30));
    case WriteFault::kIoError:
        errno = EIO;
        return -1;
    }
    return -1;
}

ProtocolFrame NumberedFrame(uint8_t number)
{
    ProtocolFrame frame{};
    frame[0] = kOutboundHeader0;
    frame[1] = kOutboundHeader1;
    frame[kFrameCodeOffset] = number;
    for (size_t i = kFramePayloadOffset; i < kFrameCrcOffset; ++i)
        frame[i] = static_cast<uint8_t>(i + number);
    SealFrame(frame);
    return frame;
}

std::vector<uint8_t> Concatenated(std::initializer_list<ProtocolFrame> frames)
{
    std::vector<uint8_t> bytes;
    for (const ProtocolFrame& frame : frames)
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

class SendFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_port.SetOwner(&m_sink);
        ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    }

    void Script(std::initializer_list<WriteFault> faults)
    {
        std::lock_guard lock(g_script_lock);
        g_script.assign(faults);
    }

    bool IsOpen() { return m_port.IsOpen(); }

    static PosixCalls ScriptedCalls()
    {
        PosixCalls calls = RealPosixCalls();
        calls.write = ScriptedWrite;
        return calls;
    }

    // Outlives the port, whose reader thread uses the table until it closes.
    ScopedPosixCalls m_calls{ScriptedCalls()};
    PtyPair m_pty;
    RecordingSink m_sink;
    CKRQSerialPort m_port;
};

TEST_F(SendFrameTest, InterruptedWriteIsRetried)
{
    Script({WriteFault::kInterrupt, WriteFault::kInterrupt});
    SendFrame(m_port, NumberedFrame(1));
    EXPECT_EQ(m_pty.ReadFromSlave(kFrameSize), Concatenated({NumberedFrame(1)}));
    EXPECT_TRUE(IsOpen());
}

TEST_F(SendFrameTest, FullDriverBufferDropsTheFrameWhole)
{
    Script({WriteFault::kFull});
    SendFrame(m_port, NumberedFrame(1));
    SendFrame(m_port, NumberedFrame(2));
    EXPECT_EQ(m_pty.ReadFromSlave(2 * kFrameSize, std::chrono::milliseconds(200)),
              Concatenated({NumberedFrame(2)}));
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(m_sink.Count(kSerialWriteFailed), 0u);
}

TEST_F(SendFrameTest, PartlyTakenFrameIsCompletedBeforeTheNextOne)
{
    // 30 bytes of frame 1 go out; its tail then meets a full buffer, so
    // frame 2 is dropped; at frame 3 the tail goes first.
    Script({WriteFault::kTake30, WriteFault::kFull});
    SendFrame(m_port, NumberedFrame(1));
    SendFrame(m_port, NumberedFrame(2));
    SendFrame(m_port, NumberedFrame(3));
    EXPECT_EQ(m_pty.ReadFromSlave(3 * kFrameSize, std::chrono::milliseconds(200)),
              Concatenated({NumberedFrame(1), NumberedFrame(3)}));
}

TEST_F(SendFrameTest, TailOfAFrameIsForgottenWhenThePortCloses)
{
    Script({WriteFault::kTake30});
    SendFrame(m_port, NumberedFrame(1));
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_pty.DrainMaster();
    SendFrame(m_port, NumberedFrame(2));
    EXPECT_EQ(m_pty.ReadFromSlave(2 * kFrameSize, std::chrono::milliseconds(200)),
              Concatenated({NumberedFrame(2)}));
}

TEST_F(SendFrameTest, IoErrorClosesThePortAndTellsTheOwnerOnce)
{
    Script({WriteFault::kIoError});
    SendFrame(m_port, NumberedFrame(1));
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(m_port.HasReader());
    EXPECT_EQ(m_sink.Count(kSerialWriteFailed), 1u);
    SendFrame(m_port, NumberedFrame(2));
    EXPECT_EQ(m_sink.Count(kSerialWriteFailed), 1u);
    EXPECT_TRUE(m_pty.DrainMaster().empty());
}

TEST_F(SendFrameTest, IoErrorOnAFramesTailAlsoClosesThePort)
{
    Script({WriteFault::kTake30, WriteFault::kIoError});
    SendFrame(m_port, NumberedFrame(1));
    SendFrame(m_port, NumberedFrame(2));
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(m_sink.Count(kSerialWriteFailed), 1u);
}

} // namespace
