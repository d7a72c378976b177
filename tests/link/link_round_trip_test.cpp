#include "link/ckrq_serial_port.h"
#include "link/receive_pump.h"
#include "link/recording_sink.h"
#include "link/sender_thread.h"
#include "platform/pty_pair.h"
#include "protocol/transaction_state.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

// The link as its owners wire it: the sender builds from the transaction
// state, the pump answers the port's notifications on the owner's thread.
class LinkRoundTripTest : public ::testing::Test, public LinkEventHandler {
protected:
    LinkRoundTripTest() { m_port.m_owner = &m_sink; }

    void OnTransmitError() override { ++m_transmit_errors; }
    void OnFrameReceived(const ProtocolFrame& frame) override { m_frames.push_back(frame); }

    // Runs the pump as the owner's loop would, until `count` frames came.
    void PumpUntil(size_t count)
    {
        for (int i = 0; i < 200 && m_frames.size() < count; ++i) {
            m_sink.WaitFor(kSerialBytesQueued, m_sink.Count(kSerialBytesQueued) + 1, 10ms);
            m_pump.OnSerialEvent(kSerialBytesQueued);
        }
    }

    PtyPair m_pty;
    RecordingSink m_sink;
    CKRQSerialPort m_port;
    TransactionState m_state;
    std::atomic<int> m_period{10};
    SenderThread m_sender{m_port, m_period, [this] { return m_state.BuildNextFrame(); }};
    ReceivePump m_pump{m_port, *this};
    int m_transmit_errors = 0;
    std::vector<ProtocolFrame> m_frames;
};

TEST_F(LinkRoundTripTest, OutboundFramesCarryTheStateAndInboundFramesReachTheHandler)
{
    m_state.m_command = 3;
    m_state.m_page = 33;
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_sender.Start();

    const std::vector<uint8_t> sent = m_pty.ReadFromSlave(kFrameSize);
    ASSERT_EQ(sent.size(), kFrameSize);
    ProtocolFrame frame{};
    std::copy(sent.begin(), sent.end(), frame.begin());
    EXPECT_TRUE(CheckFrame(frame));
    EXPECT_EQ(frame[0], kOutboundHeader0);
    EXPECT_EQ(frame[kFrameCodeOffset], 3);
    EXPECT_EQ(frame[kFramePageOffset], 33);
    EXPECT_EQ(frame[78], 0x3A);
    EXPECT_EQ(frame[79], 0x57);

    // The gimbal answers with garbage first; the synchroniser skips it.
    ProtocolFrame answer{};
    answer[0] = kInboundHeader0;
    answer[1] = kInboundHeader1;
    answer[kFrameCodeOffset] = 3;
    answer[kFramePageOffset] = 33;
    SealFrame(answer);
    std::vector<uint8_t> line{0xB9, 0x00, 0x6C};
    line.insert(line.end(), answer.begin(), answer.end());
    m_pty.WriteToSlave(line);
    PumpUntil(1);
    ASSERT_EQ(m_frames.size(), 1u);
    EXPECT_EQ(m_frames[0], answer);
    EXPECT_EQ(m_transmit_errors, 0);
}

TEST_F(LinkRoundTripTest, UnpluggingIsReportedThroughThePumpAtTheNextWrite)
{
    ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), 115200));
    m_sender.Start();
    ASSERT_EQ(m_pty.ReadFromSlave(kFrameSize).size(), kFrameSize);
    m_pty.CloseMaster();
    ASSERT_TRUE(m_sink.WaitFor(kSerialWriteFailed, 1));
    m_pump.OnSerialEvent(kSerialWriteFailed);
    EXPECT_EQ(m_transmit_errors, 1);
    std::lock_guard lock(m_port.m_lock);
    EXPECT_FALSE(m_port.IsOpen());
}

} // namespace
