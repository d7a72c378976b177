#include "protocol/outbound_frame.h"
#include "protocol/param_page_codec.h"
#include "protocol/protocol_session.h"

#include "protocol_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Plays the gimbal: answers each outbound frame with an echo of its page,
// carrying the gimbal's own parameters on the read-back pages, and keeps the
// parameter pages it was sent.
class ScriptedGimbal {
public:
    explicit ScriptedGimbal(const GimbalParams& own) : m_own(own) {}

    ProtocolFrame Answer(const ProtocolFrame& request)
    {
        const uint8_t page = request[kFramePageOffset];
        if (IsUploadPage(page))
            received_pages.push_back(page);
        ProtocolFrame reply{};
        if (IsDownloadPage(page)) {
            // What the PC would send as the matching upload page is exactly
            // the read-back layout.
            reply = BuildOutboundFrame(0, static_cast<uint8_t>(page - kReadBackPageDistance), m_own);
        }
        if (IsUploadPage(page))
            DecodeParamPage(static_cast<uint8_t>(page + kReadBackPageDistance), request, stored);
        reply[0] = kInboundHeader0;
        reply[1] = kInboundHeader1;
        reply[kFrameCodeOffset] = 0;
        reply[kFramePageOffset] = page;
        SealFrame(reply);
        return reply;
    }

    std::vector<uint8_t> received_pages;
    GimbalParams stored{};

private:
    GimbalParams m_own;
};

class TransferFlowTest : public ::testing::Test {
protected:
    void Deliver(const ProtocolFrame& frame) { m_session.Decoder().DecodeFrame(frame); }
    // One send period: the PC's frame goes out, the gimbal's answer comes back.
    void Exchange(ScriptedGimbal& gimbal) { Deliver(gimbal.Answer(m_session.State().BuildNextFrame())); }
    uint8_t Page() { return m_session.State().m_page; }

    RecordingView m_view;
    ScriptedGate m_gate;
    ProtocolSession m_session{m_view, m_gate};
};

GimbalParams SampleParams(uint8_t seed)
{
    GimbalParams params{};
    params.m_roll_pid_kp = seed;
    params.m_angle_min_0 = -seed;
    params.m_camera_opts = seed * 0x01010101u;
    params.m_sensor_z_sign = -1;
    for (int i = 0; i < 136; ++i)
        params.m_mtr_cal_par[i] = static_cast<uint8_t>(seed + i);
    return params;
}

TEST_F(TransferFlowTest, DownloadReadsEveryPageThenRefreshesThePanel)
{
    const GimbalParams own = SampleParams(40);
    ScriptedGimbal gimbal(own);
    m_session.Transactions().OnLinkStarted();
    std::vector<uint8_t> pages;
    for (int period = 0; period < 6; ++period) {
        pages.push_back(Page());
        EXPECT_TRUE(m_view.downloads.empty());
        Exchange(gimbal);
    }
    EXPECT_EQ(pages, (std::vector<uint8_t>{17, 18, 19, 20, 21, 22}));
    EXPECT_EQ(Page(), 33);
    EXPECT_EQ(m_session.State().m_transfer_active, 0);
    ASSERT_EQ(m_view.downloads.size(), 1u);
    EXPECT_DOUBLE_EQ(m_view.downloads[0].m_roll_pid_kp, 40.0) << "the news carries the set";
    EXPECT_EQ(m_view.button_changes, (std::vector{false, true}));
    EXPECT_EQ(m_view.LastMessage(), 142);
    EXPECT_TRUE(m_session.State().m_transfer_buttons_enabled);

    const GimbalParams got = m_session.State().m_params.Snapshot();
    EXPECT_EQ(std::memcmp(got.m_mtr_cal_par, own.m_mtr_cal_par, 136), 0);
    EXPECT_DOUBLE_EQ(got.m_roll_pid_kp, 40.0);
    EXPECT_DOUBLE_EQ(got.m_angle_min_0, -40.0);
    EXPECT_EQ(got.m_camera_opts, own.m_camera_opts);
    EXPECT_EQ(got.m_sensor_z_sign, -1);

    // Idle afterwards: the live pages alternate.
    Exchange(gimbal);
    EXPECT_EQ(Page(), 34);
    Exchange(gimbal);
    EXPECT_EQ(Page(), 33);
}

TEST_F(TransferFlowTest, UploadSendsPagesOneToSixThenGoesLive)
{
    ScriptedGimbal gimbal(SampleParams(0));
    m_session.Transactions().OnLinkStarted();
    for (int period = 0; period < 6; ++period)
        Exchange(gimbal);
    m_view.Forget();

    const GimbalParams edited = SampleParams(90);
    ASSERT_TRUE(m_session.Transactions().StartUpload(edited));

    ProtocolFrame stale = gimbal.Answer(m_session.State().BuildNextFrame()); // echo of page 1
    Deliver(stale);
    EXPECT_EQ(Page(), 2);
    Deliver(stale); // late echo: stays on page 2
    Deliver(InboundFrame(0, 33, {{22, 2}}));
    EXPECT_EQ(Page(), 2);
    for (int period = 0; period < 5; ++period)
        Exchange(gimbal);

    EXPECT_EQ(gimbal.received_pages, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Page(), 33);
    EXPECT_EQ(m_session.State().m_transfer_active, 0);
    EXPECT_EQ(m_view.LastMessage(), 140);
    EXPECT_EQ(m_view.button_changes, (std::vector{false, true}));
    EXPECT_TRUE(m_view.downloads.empty());
    EXPECT_EQ(std::memcmp(gimbal.stored.m_mtr_cal_par, edited.m_mtr_cal_par, 136), 0);
    EXPECT_DOUBLE_EQ(gimbal.stored.m_roll_pid_kp, 90.0);
    EXPECT_DOUBLE_EQ(gimbal.stored.m_angle_min_0, -90.0);

    // A stale echo of the last page after the end changes nothing.
    Deliver(gimbal.Answer(BuildOutboundFrame(0, 6, edited)));
    EXPECT_EQ(Page(), 33);
    EXPECT_EQ(m_view.button_changes.size(), 2u);
}

TEST_F(TransferFlowTest, CorruptFramesAreIgnored)
{
    m_session.State().m_page = 33;
    ProtocolFrame corrupt = InboundFrame(0, 33, {{22, 1}});
    corrupt[60] ^= 1;
    Deliver(corrupt);
    EXPECT_EQ(Page(), 33);
    EXPECT_EQ(m_session.Telemetry().m_gimbal_state, 0);
    EXPECT_TRUE(m_view.refreshes.empty());

    Deliver(InboundFrame(0, 33, {{22, 1}}));
    EXPECT_EQ(Page(), 34);
    EXPECT_EQ(m_session.Telemetry().m_gimbal_state, 1);
}

} // namespace
