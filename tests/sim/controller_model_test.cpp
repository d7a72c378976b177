#include "sim/controller_model.h"
#include "sim/default_params.h"
#include "sim/frame_sequence.h"

#include "protocol/crc16.h"
#include "sim_test_frames.h"

#include <gtest/gtest.h>

#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr size_t kAck = kFrameCodeOffset;
constexpr size_t kPage = kFramePageOffset;
// Page 33 offsets.
constexpr size_t kGimbalState = 22;
constexpr size_t kCalAllowed = 49;
constexpr size_t kProgressState = 54;
constexpr size_t kProgressValue = 55;

class ModelTest : public ::testing::Test {
protected:
    void Start(ModelOptions options = {})
    {
        m_model.emplace(std::move(options), m_clock, DefaultGimbalParams());
    }

    void Send(const ProtocolFrame& frame) { m_model->Receive(frame.data(), frame.size()); }

    // One period: the clock moves on, then the controller answers.
    ProtocolFrame Next(SimDuration step = 10ms)
    {
        m_clock.Advance(step);
        const std::optional<ProtocolFrame> frame = m_model->NextFrame();
        EXPECT_TRUE(frame.has_value());
        return frame.value_or(ProtocolFrame{});
    }

    // Sends `frame`, as the PC does every period, and returns the answer.
    ProtocolFrame Exchange(const ProtocolFrame& frame, SimDuration step = 10ms)
    {
        Send(frame);
        return Next(step);
    }

    ManualClock m_clock;
    std::optional<ControllerModel> m_model;
};

TEST_F(ModelTest, EveryFrameIsSealedAndCarriesTheInboundHeader)
{
    Start();
    for (int i = 0; i < 50; ++i) {
        const ProtocolFrame frame = Next();
        ASSERT_EQ(frame[0], kInboundHeader0);
        ASSERT_EQ(frame[1], kInboundHeader1);
        ASSERT_EQ(crc16(frame.data(), frame.size(), 0), 0);
    }
}

TEST_F(ModelTest, UnaskedItStreamsBothLivePagesAndRotatesTheChannelRows)
{
    Start();
    std::vector<int> rows;
    for (int i = 0; i < 8; ++i) {
        const ProtocolFrame frame = Next();
        ASSERT_EQ(frame[kPage], i % 2 == 0 ? 33 : 34);
        if (frame[kPage] == 33)
            rows.push_back(frame[73]);
    }
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(ModelTest, AnswersThePageThePcLastRequested)
{
    Start();
    EXPECT_EQ(Exchange(PcFrame(0, 17))[kPage], 17);
    EXPECT_EQ(Next()[kPage], 17); // repeated until the PC asks for another
    EXPECT_EQ(Exchange(PcFrame(0, 34))[kPage], 34);
    EXPECT_EQ(Exchange(PcFrame(0, 9))[kPage], 9);
}

TEST_F(ModelTest, UploadedPagesChangeTheSetAndReadBackReturnsThem)
{
    Start();
    const ProtocolFrame page1 = PcFrame(0, 1, {{23, 99}, {59, 50}, {68, 3}});
    const ProtocolFrame page2 = PcFrame(0, 2, {{23, 0xFF}, {56, 0xA6}, {57, 0xFF}, {77, 23}});
    EXPECT_EQ(Exchange(page1)[kPage], 1);
    EXPECT_EQ(Exchange(page2)[kPage], 2);
    std::vector<uint8_t> block;
    for (uint8_t page = 3; page <= 6; ++page) {
        ProtocolFrame frame = PcFrame(0, page);
        for (size_t i = 0; i < 34; ++i)
            frame[22 + i] = static_cast<uint8_t>(page * 40 + i);
        SealFrame(frame);
        block.insert(block.end(), frame.begin() + 22, frame.begin() + 56);
        const ProtocolFrame echo = Exchange(frame);
        EXPECT_EQ(echo[kPage], page);
        EXPECT_EQ(echo[22], 0) << "an upload echo carries no data";
    }
    const GimbalParams& params = m_model->Params();
    EXPECT_EQ(params.m_roll_pid_kp, 99);
    EXPECT_EQ(params.m_pid_temp_target, 50);
    EXPECT_EQ(params.m_chan_map[0], 3);
    EXPECT_EQ(params.m_sensor_y_sign, -1);
    EXPECT_EQ(params.m_angle_min_0, -90);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), params.m_mtr_cal_par));

    const ProtocolFrame a = Exchange(PcFrame(0, 17));
    EXPECT_EQ(a[23], 99);
    EXPECT_EQ(a[59], 50);
    const ProtocolFrame b = Exchange(PcFrame(0, 18));
    EXPECT_EQ(b[23], 0xFF);
    EXPECT_EQ(SignedWord(b, 56), -90);
    EXPECT_EQ(b[77], 23);
    for (uint8_t page = 19; page <= 22; ++page) {
        const ProtocolFrame piece = Exchange(PcFrame(0, page));
        EXPECT_TRUE(std::equal(piece.begin() + 22, piece.begin() + 56, block.begin() + 34 * (page - 19)));
    }
}

TEST_F(ModelTest, DefaultSetReadsBackWithACheckingCalibrationBlock)
{
    Start();
    std::vector<uint8_t> block;
    for (uint8_t page = 19; page <= 22; ++page) {
        const ProtocolFrame piece = Exchange(PcFrame(0, page));
        block.insert(block.end(), piece.begin() + 22, piece.begin() + 56);
    }
    ASSERT_EQ(block.size(), 136u);
    EXPECT_EQ(crc16(block.data(), block.size(), 0xABCD), 0);
    EXPECT_EQ(Exchange(PcFrame(0, 17))[59], 45); // target temperature of the default set
}

TEST_F(ModelTest, AFrameThatFailsItsCrcChangesNothing)
{
    Start();
    ProtocolFrame upload = PcFrame(1, 1, {{23, 99}});
    upload[30] ^= 0x01;
    const ProtocolFrame answer = Exchange(upload);
    EXPECT_EQ(answer[kAck], 0);
    EXPECT_NE(answer[kPage], 1);
    EXPECT_EQ(m_model->Params().m_roll_pid_kp, DefaultGimbalParams().m_roll_pid_kp);
    EXPECT_EQ(m_model->GimbalState(), 0);
    EXPECT_EQ(m_model->Reader().RejectedFrames(), 1u);
}

TEST_F(ModelTest, ACommandIsAnsweredOnceAndAgainOnlyWhileThePcRepeatsIt)
{
    Start();
    const ProtocolFrame run = PcFrame(1, 33);
    EXPECT_EQ(Exchange(run)[kAck], 1);
    EXPECT_EQ(Exchange(run)[kAck], 0) << "frames in flight do not run it twice";
    EXPECT_EQ(Exchange(run, 100ms)[kAck], 1) << "the answer may have been lost";
    EXPECT_EQ(Exchange(PcFrame(0, 33))[kAck], 0);
    EXPECT_EQ(Exchange(PcFrame(0, 33), 200ms)[kAck], 0);
    EXPECT_EQ(m_model->GimbalState(), 1);
    EXPECT_EQ(Exchange(PcFrame(0, 33))[kGimbalState], 1);

    // The same button again is a new command once the PC has cleared it.
    EXPECT_EQ(Exchange(run)[kAck], 1);
    EXPECT_EQ(Exchange(PcFrame(2, 33))[kAck], 2);
    EXPECT_EQ(m_model->GimbalState(), 2);
}

TEST_F(ModelTest, AnAnswerNeverOutlivesTheCommand)
{
    Start();
    Send(PcFrame(17, 33));
    Send(PcFrame(18, 33)); // pressed before the first was answered
    EXPECT_EQ(Next()[kAck], 18);
    Send(PcFrame(1, 33));
    Send(PcFrame(0, 33));
    EXPECT_EQ(Next(200ms)[kAck], 0) << "the PC moved on before the answer went out";
}

TEST_F(ModelTest, FailingAndUnknownCommands)
{
    ModelOptions options;
    options.failing_commands = {1, 22};
    Start(options);
    EXPECT_EQ(Exchange(PcFrame(1, 33))[kAck], 129);
    EXPECT_EQ(m_model->GimbalState(), 0);
    EXPECT_EQ(Exchange(PcFrame(22, 33))[kAck], 150);
    EXPECT_EQ(Exchange(PcFrame(18, 33))[kAck], 18);
    for (uint8_t code : {15, 16, 26, 200}) {
        EXPECT_EQ(Exchange(PcFrame(code, 33))[kAck], 0) << int(code);
        EXPECT_EQ(Next(300ms)[kAck], 0) << int(code);
    }
}

TEST_F(ModelTest, CalibrationRunsForItsTimeWithTheLevelBar)
{
    ModelOptions options;
    options.calibration_time = 2s;
    Start(options);
    const ProtocolFrame gyro = PcFrame(7, 33);
    ProtocolFrame frame = Exchange(gyro);
    EXPECT_EQ(frame[kAck], 0);
    EXPECT_EQ(frame[kProgressState], 1);
    EXPECT_LE(frame[kProgressValue], 1);

    frame = Exchange(gyro, 990ms); // 1.0 s in
    EXPECT_EQ(frame[kAck], 0);
    EXPECT_EQ(frame[kProgressState], 1);
    EXPECT_EQ(frame[kProgressValue], 50);

    frame = Exchange(gyro, 990ms); // 1.99 s
    EXPECT_EQ(frame[kAck], 0);
    frame = Exchange(gyro, 10ms); // 2.0 s
    EXPECT_EQ(frame[kAck], 7);
    EXPECT_EQ(frame[kProgressState], 2);
    EXPECT_EQ(frame[kProgressValue], 100);

    frame = Exchange(PcFrame(0, 33), 1s);
    EXPECT_EQ(frame[kProgressState], 0) << "the outcome is shown for a while, then cleared";
}

TEST_F(ModelTest, AnotherCommandAbortsARunningCalibration)
{
    Start();
    Exchange(PcFrame(13, 33));
    ProtocolFrame frame = Exchange(PcFrame(2, 33), 500ms);
    EXPECT_EQ(frame[kAck], 2);
    EXPECT_EQ(frame[kProgressState], 3);
    frame = Exchange(PcFrame(0, 33), 3s);
    EXPECT_EQ(frame[kAck], 0);
}

TEST_F(ModelTest, WithoutCalibrationAllowedGuardedCalibrationsFail)
{
    ModelOptions options;
    options.calibration_allowed = false;
    Start(options);
    ProtocolFrame frame = Exchange(PcFrame(7, 33));
    EXPECT_EQ(frame[kCalAllowed], 0);
    EXPECT_EQ(frame[kAck], 135);
    EXPECT_EQ(frame[kProgressState], 3);
    // Motor zero calibration does not depend on it.
    EXPECT_EQ(Exchange(PcFrame(4, 33))[kProgressState], 1);
}

TEST_F(ModelTest, SaveToFlashKeepsTheSetOrReportsFailure)
{
    std::vector<GimbalParams> saved;
    bool save_works = true;
    ModelOptions options;
    options.save_params = [&](const GimbalParams& params) {
        saved.push_back(params);
        return save_works;
    };
    Start(options);
    Exchange(PcFrame(0, 1, {{59, 52}}));
    EXPECT_EQ(Exchange(PcFrame(3, 33))[kAck], 3);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].m_pid_temp_target, 52);

    save_works = false;
    Exchange(PcFrame(0, 33));
    EXPECT_EQ(Exchange(PcFrame(3, 33))[kAck], 131);
}

TEST_F(ModelTest, SilentAfterStopsAllFramesButKeepsListening)
{
    ModelOptions options;
    options.silent_after = 1s;
    Start(options);
    Next(990ms);
    m_clock.Advance(10ms);
    EXPECT_FALSE(m_model->NextFrame().has_value());
    Send(PcFrame(2, 33));
    m_clock.Advance(5s);
    EXPECT_FALSE(m_model->NextFrame().has_value());
    EXPECT_EQ(m_model->GimbalState(), 2);
}

TEST_F(ModelTest, AnIgnoredPageIsNeverAnsweredNorStored)
{
    ModelOptions options;
    options.ignored_pages = {19, 2};
    Start(options);
    EXPECT_EQ(Exchange(PcFrame(0, 18))[kPage], 18);
    for (int i = 0; i < 10; ++i)
        EXPECT_NE(Exchange(PcFrame(0, 19))[kPage], 19);
    Exchange(PcFrame(0, 2, {{25, 2}}));
    EXPECT_EQ(m_model->Params().m_sensor_x_index, 0);
}

TEST_F(ModelTest, TheControllerGoesAwayWhenFirstAskedForTheHangUpPage)
{
    ModelOptions options;
    options.hang_up_page = 3;
    Start(options);
    Exchange(PcFrame(0, 2));
    EXPECT_FALSE(m_model->HasGoneAway());
    Exchange(PcFrame(0, 3));
    EXPECT_TRUE(m_model->HasGoneAway());
}

TEST_F(ModelTest, HardwareFaultsAndVersionsAppearInTheStatusPage)
{
    ModelOptions options;
    options.hardware_faults.main_flags = 0x81;
    options.hardware_faults.mtr_status = {0, 0x0A, 0};
    options.hardware_faults.sens_status = 3;
    Start(options);
    const ProtocolFrame frame = Exchange(PcFrame(0, 33));
    EXPECT_EQ(frame[23], 0x81);
    EXPECT_EQ(frame[24], 23); // V2.3
    EXPECT_EQ(frame[57], 0);
    EXPECT_EQ(frame[58], 0x0A);
    EXPECT_EQ(frame[60], 3);
    EXPECT_EQ(frame[kCalAllowed], 1);
    EXPECT_EQ(frame[56], 0xFF);
}

TEST_F(ModelTest, LiveValuesArePlausible)
{
    Start();
    ProtocolFrame frame = Exchange(PcFrame(0, 33));
    EXPECT_EQ(SignedWord(frame, 43), 0) << "motors are not powered before a run";
    EXPECT_NEAR(SignedWord(frame, 35) * 0.01, 0.8, 0.2) << "gravity mostly on the z axis";
    Exchange(PcFrame(1, 33));
    for (int i = 0; i < 200; ++i) {
        frame = Exchange(PcFrame(0, 33), 1s);
        ASSERT_LT(Word(frame, 7), 36000) << "yaw stays within one turn";
        ASSERT_LE(frame[74], 100);
    }
    EXPECT_GT(SignedWord(frame, 43), 0);
    EXPECT_NEAR(SignedWord(frame, 50) * 0.01, 45.0, 2.0) << "the IMU heater settles near its target";
    EXPECT_NEAR(SignedWord(frame, 3) * 0.01, 0.0, 1.0) << "a running gimbal holds the roll level";
}

TEST_F(ModelTest, FramesAreNumberedWherePagesLeaveRoom)
{
    Start();
    std::vector<uint32_t> numbers;
    for (uint8_t page : {34, 17, 33, 18, 19, 5, 34}) {
        const ProtocolFrame frame = Exchange(PcFrame(0, page));
        if (const auto number = FrameSequence(frame))
            numbers.push_back(*number);
    }
    EXPECT_EQ(numbers, (std::vector<uint32_t>{0, 1, 4, 5, 6}));
}

TEST(PcFrameReader, FindsFramesAmongNoiseAndRejectsBrokenOnes)
{
    PcFrameReader reader;
    std::vector<ProtocolFrame> frames;
    const auto collect = [&frames](const ProtocolFrame& frame) { frames.push_back(frame); };

    ProtocolFrame broken = PcFrame(5, 33);
    broken[40] ^= 0x10;
    std::vector<uint8_t> stream = {0x00, 0xC6, 0x12, 0xC6};
    for (const ProtocolFrame& frame : {PcFrame(1, 17), broken, PcFrame(2, 18)})
        stream.insert(stream.end(), frame.begin(), frame.end());
    const ProtocolFrame payload_header = PcFrame(3, 1, {{30, 0xC6}, {31, 0x9B}});
    stream.insert(stream.end(), payload_header.begin(), payload_header.end());

    // Byte by byte, as a slow line would deliver them.
    for (uint8_t byte : stream)
        reader.Feed(&byte, 1, collect);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0][kFrameCodeOffset], 1);
    EXPECT_EQ(frames[1][kFrameCodeOffset], 2);
    EXPECT_EQ(frames[2][kFrameCodeOffset], 3);
    EXPECT_GE(reader.RejectedFrames(), 1u);
}

} // namespace
