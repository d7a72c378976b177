#include "e2e/sim_link_fixture.h"
#include "resources/message_ids.h"
#include "sim/default_params.h"
#include "sim/frame_sequence.h"

#include "support/differing_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Remembers the frame numbers of the decoded frames that carry one.
class SequenceRecorder : public SessionObserver {
public:
    void OnFrameDecoded(const ProtocolFrame& frame, bool) override
    {
        if (const std::optional<uint32_t> sequence = FrameSequence(frame))
            m_sequences.push_back(*sequence);
    }

    // True when some frame the simulator built never got through.
    bool SawGap() const
    {
        for (size_t i = 1; i < m_sequences.size(); ++i) {
            if (m_sequences[i] > m_sequences[i - 1] + 1)
                return true;
        }
        return false;
    }

private:
    std::vector<uint32_t> m_sequences;
};

class DownloadAtBaudTest : public SimLinkTest, public testing::WithParamInterface<int> {};

TEST_P(DownloadAtBaudTest, FillsTheRecordWithTheSimulatorsSet)
{
    const std::string baud = std::to_string(GetParam());
    StartSim({"--baud", baud});
    GimbalSession session(kTestSendPeriodMs, false);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), GetParam()));

    ASSERT_TRUE(PumpUntilTransferDone(session));
    EXPECT_EQ(session.StatusMessage(), Id(MessageId::kParamDownloadDone));
    EXPECT_EQ(DifferingKeys(session.State().m_params.Snapshot(), DefaultGimbalParams()),
              std::vector<std::string>{});
    // Between transfers the live pages keep coming.
    EXPECT_TRUE(Pump(session, [&] { return session.StatusPageCount() >= 2; }));
}

INSTANTIATE_TEST_SUITE_P(Rates, DownloadAtBaudTest, testing::Values(115200, 921600));

class ParameterTransferTest : public SimLinkTest {};

TEST_F(ParameterTransferTest, UploadChangesTheSimulatorsSetAndADownloadReadsItBack)
{
    StartSim();
    GimbalSession session(kTestSendPeriodMs, false);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));
    ASSERT_TRUE(PumpUntilTransferDone(session));

    GimbalParams changed = DefaultGimbalParams();
    changed.m_roll_pid_kp = 57;
    changed.m_gimbal_alpha = 12;
    changed.m_mtr_cal_par[40] ^= 0x5A; // a byte of the third calibration page
    SealCalibrationBlock(changed);
    ASSERT_TRUE(session.Transactions().StartUpload(changed));
    ASSERT_TRUE(PumpUntilTransferDone(session));
    EXPECT_EQ(session.StatusMessage(), Id(MessageId::kParamUploadDone));

    // Forget what was sent, so that only the gimbal can bring it back.
    session.State().m_params.Replace(GimbalParams{});
    ASSERT_TRUE(session.Transactions().StartDownload());
    ASSERT_TRUE(PumpUntilTransferDone(session));
    EXPECT_EQ(session.StatusMessage(), Id(MessageId::kParamDownloadDone));
    EXPECT_EQ(DifferingKeys(session.State().m_params.Snapshot(), changed), std::vector<std::string>{});
}

TEST_F(ParameterTransferTest, DownloadSurvivesGarbageAndCorruptedFrames)
{
    StartSim({"--garbage-rate", "0.004", "--crc-error-rate", "0.25"});
    GimbalSession session(kTestSendPeriodMs, false);
    SequenceRecorder sequences;
    session.SetObserver(&sequences);
    ASSERT_TRUE(session.StartLink(m_sim->Port(), 921600));

    ASSERT_TRUE(PumpUntilTransferDone(session));
    EXPECT_EQ(DifferingKeys(session.State().m_params.Snapshot(), DefaultGimbalParams()),
              std::vector<std::string>{});
    // The faults were real: frames went missing between the decoded ones.
    ASSERT_TRUE(Pump(session, [&] { return sequences.SawGap(); }));
    // And the link still carries commands to their answer.
    ASSERT_EQ(session.Transactions().RunCommand(*FindCommandByName("run")), CommandOutcome::kSent);
    EXPECT_TRUE(Pump(session, [&] { return session.LastAckCode() == 1; }));
}

} // namespace
