#include "link/ckrq_serial_port.h"
#include "link/receive_pump.h"
#include "platform/pty_pair.h"

#include <gtest/gtest.h>

namespace {

class RecordingHandler : public LinkEventHandler {
public:
    void OnTransmitError() override { ++m_transmit_errors; }
    void OnFrameReceived(const ProtocolFrame& frame) override { m_frames.push_back(frame); }

    int m_transmit_errors = 0;
    std::vector<ProtocolFrame> m_frames;
};

ProtocolFrame InboundFrame(uint8_t code)
{
    ProtocolFrame frame{};
    frame[0] = kInboundHeader0;
    frame[1] = kInboundHeader1;
    frame[kFrameCodeOffset] = code;
    frame[30] = kInboundHeader0; // a header pair inside the payload is data
    frame[31] = kInboundHeader1;
    SealFrame(frame);
    return frame;
}

class ReceivePumpTest : public ::testing::Test {
protected:
    // Puts bytes in the queue as the reader thread would.
    void Queue(const std::vector<uint8_t>& bytes) { m_port.QueueReceived(bytes); }

    void QueueFrame(const ProtocolFrame& frame, size_t from = 0, size_t to = kFrameSize)
    {
        Queue(std::vector<uint8_t>(frame.begin() + from, frame.begin() + to));
    }

    PtyPair m_pty;
    CKRQSerialPort m_port;
    RecordingHandler m_handler;
    ReceivePump m_pump{m_port, m_handler};
};

TEST_F(ReceivePumpTest, DeliversFramesFromOneBurstInOrderAndEmptiesTheQueue)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    Queue({0x00, 0x6C, 0x6C});
    QueueFrame(InboundFrame(1), 1); // 6C 6C B9...: the frame starts at the last 6C
    QueueFrame(InboundFrame(2));
    m_pump.OnSerialEvent(kSerialBytesQueued);
    ASSERT_EQ(m_handler.m_frames.size(), 2u);
    EXPECT_EQ(m_handler.m_frames[0], InboundFrame(1));
    EXPECT_EQ(m_handler.m_frames[1], InboundFrame(2));
    EXPECT_EQ(m_port.QueuedByteCount(), 0u);
}

TEST_F(ReceivePumpTest, AssemblesAFrameSplitOverSeveralNotifications)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    for (const auto& [from, to] : {std::pair{0, 1}, {1, 31}, {31, 79}}) {
        QueueFrame(InboundFrame(7), from, to);
        m_pump.OnSerialEvent(kSerialBytesQueued);
        EXPECT_TRUE(m_handler.m_frames.empty());
    }
    QueueFrame(InboundFrame(7), 79);
    m_pump.OnSerialEvent(kSerialBytesQueued);
    ASSERT_EQ(m_handler.m_frames.size(), 1u);
    EXPECT_EQ(m_handler.m_frames[0], InboundFrame(7));
}

TEST_F(ReceivePumpTest, ABacklogIsDecodedASliceAtATimeInOrder)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    const size_t frames = 3 * kReceiveSliceBytes / kFrameSize;
    for (size_t i = 0; i < frames; ++i)
        QueueFrame(InboundFrame(static_cast<uint8_t>(i)));

    int calls = 0;
    for (bool more = true; more; ++calls) {
        const size_t queued = m_port.QueuedByteCount();
        more = m_pump.OnSerialEvent(kSerialBytesQueued);
        EXPECT_EQ(queued - m_port.QueuedByteCount(), std::min(queued, kReceiveSliceBytes));
    }
    EXPECT_EQ(calls, 3);
    ASSERT_EQ(m_handler.m_frames.size(), frames);
    for (size_t i = 0; i < frames; ++i)
        EXPECT_EQ(m_handler.m_frames[i], InboundFrame(static_cast<uint8_t>(i)));
}

TEST_F(ReceivePumpTest, FramesCompletedWhileClosedAreDroppedSilently)
{
    QueueFrame(InboundFrame(3));
    m_pump.OnSerialEvent(kSerialBytesQueued);
    EXPECT_TRUE(m_handler.m_frames.empty());
    EXPECT_EQ(m_handler.m_transmit_errors, 0);
}

TEST_F(ReceivePumpTest, WriteFailureIsReportedWithoutTouchingTheQueue)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    QueueFrame(InboundFrame(4));
    m_pump.OnSerialEvent(kSerialWriteFailed);
    EXPECT_EQ(m_handler.m_transmit_errors, 1);
    EXPECT_TRUE(m_handler.m_frames.empty());
    m_pump.OnSerialEvent(kSerialBytesQueued);
    EXPECT_EQ(m_handler.m_frames.size(), 1u);
}

} // namespace
