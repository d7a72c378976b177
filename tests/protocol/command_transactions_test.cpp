#include "protocol/command_transactions.h"

#include "protocol/frame_decoder.h"
#include "protocol_test_support.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

namespace {

class CommandTransactionsTest : public ::testing::Test {
protected:
    const CommandRow& Command(std::string_view name)
    {
        const CommandRow* command = FindCommandByName(name);
        EXPECT_NE(command, nullptr) << name;
        return *command;
    }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            m_transactions.AutoStopTick();
    }

    TransactionState m_state;
    TelemetryState m_telemetry{};
    RecordingView m_view;
    ScriptedGate m_gate;
    CommandTransactions m_transactions{m_state, m_telemetry, m_view, m_gate};
    FrameDecoder m_decoder{m_state, m_telemetry, m_view};
};

TEST(CommandTable, NamesControlsAndCodesAreUniqueAndFindable)
{
    std::set<std::string_view> names;
    std::set<int> controls;
    std::set<int> codes;
    for (const CommandRow& command : Commands()) {
        names.insert(command.name);
        controls.insert(command.control_id);
        codes.insert(command.code);
        EXPECT_EQ(FindCommandByName(command.name), &command);
        EXPECT_EQ(FindCommandByControl(command.control_id), &command);
        EXPECT_EQ(FindCommandByCode(command.code), &command);
        EXPECT_NE(command.code, 15);
        EXPECT_NE(command.code, 16);
    }
    EXPECT_EQ(names.size(), 23u);
    EXPECT_EQ(controls.size(), 23u);
    EXPECT_EQ(codes.size(), 23u);
    EXPECT_EQ(FindCommandByName("launch"), nullptr);
    EXPECT_EQ(FindCommandByCode(15), nullptr);
    EXPECT_EQ(FindCommandByName("gyro-cal")->code, 7);
    EXPECT_EQ(FindCommandByName("gyro-cal-reset")->code, 12);
    EXPECT_EQ(FindCommandByName("motor-angle")->code, 13);
    EXPECT_EQ(FindCommandByName("save-flash")->control_id, 1010);
}

TEST_F(CommandTransactionsTest, ClosedPortChangesAndShowsNothing)
{
    m_gate.port_open = false;
    m_state.m_transfer_buttons_enabled = true;
    for (const CommandRow& command : Commands())
        EXPECT_EQ(m_transactions.RunCommand(command), CommandOutcome::kPortClosed) << command.name;
    EXPECT_FALSE(m_transactions.CanStartUpload());
    EXPECT_FALSE(m_transactions.StartUpload(GimbalParams{}));
    EXPECT_FALSE(m_transactions.StartDownload());
    EXPECT_EQ(m_state.m_command, 0);
    EXPECT_EQ(m_state.m_page, 0);
    EXPECT_EQ(m_state.m_transfer_active, 0);
    EXPECT_TRUE(m_view.statuses.empty());
    EXPECT_TRUE(m_view.button_changes.empty());
    EXPECT_TRUE(m_gate.questions.empty());
}

TEST_F(CommandTransactionsTest, EveryRowSetsItsCodeAndShowsItsProgress)
{
    m_telemetry.m_cal_allowed = 1;
    for (const CommandRow& command : Commands()) {
        m_view.Forget();
        m_gate.questions.clear();
        EXPECT_EQ(m_transactions.RunCommand(command), CommandOutcome::kSent);
        EXPECT_EQ(m_state.m_command, command.code);
        EXPECT_EQ(m_view.statuses, (std::vector<ShownStatus>{{command.progress_message, kBlack}}));
        const std::vector<int> asked =
            command.confirm_message ? std::vector{command.confirm_message} : std::vector<int>{};
        EXPECT_EQ(m_gate.questions, asked) << command.name;
    }
}

TEST_F(CommandTransactionsTest, CalibrationNeedsTheGimbalsPermissionBeforeAnyQuestion)
{
    m_state.m_command = 21;
    for (const char* name : {"acc-cal", "gyro-cal", "gyro-cal-adv", "gyro-cal-reset", "motor-angle"}) {
        EXPECT_EQ(m_transactions.RunCommand(Command(name)), CommandOutcome::kConditionsNotSatisfied);
        EXPECT_EQ(m_view.statuses.back(), (ShownStatus{137, kMagenta}));
    }
    EXPECT_TRUE(m_gate.questions.empty());
    EXPECT_EQ(m_state.m_command, 21);

    // The zero calibrations ask but do not depend on the flag.
    EXPECT_EQ(m_transactions.RunCommand(Command("motor-zero")), CommandOutcome::kSent);
    EXPECT_EQ(m_transactions.RunCommand(Command("gimbal-zero")), CommandOutcome::kSent);
    EXPECT_EQ(m_gate.questions, (std::vector{201, 205}));
}

TEST_F(CommandTransactionsTest, DeclinedQuestionChangesNothing)
{
    m_telemetry.m_cal_allowed = 1;
    m_state.m_command = 9;
    m_gate.answer_yes = false;
    EXPECT_EQ(m_transactions.RunCommand(Command("gyro-cal")), CommandOutcome::kDeclined);
    EXPECT_EQ(m_gate.questions, std::vector{209});
    EXPECT_EQ(m_state.m_command, 9);
    EXPECT_TRUE(m_view.statuses.empty());
}

TEST_F(CommandTransactionsTest, LaterPressReplacesThePendingCommand)
{
    m_transactions.RunCommand(Command("photo"));
    m_transactions.RunCommand(Command("video"));
    EXPECT_EQ(m_state.BuildNextFrame()[kFrameCodeOffset], 18);
    m_decoder.DecodeFrame(InboundFrame(18, 0));
    EXPECT_EQ(m_view.LastMessage(), 186);
    EXPECT_EQ(m_state.m_command, 0);

    // Any acknowledgement ends the pending command, with its own message.
    m_transactions.RunCommand(Command("video"));
    m_decoder.DecodeFrame(InboundFrame(1, 0));
    EXPECT_EQ(m_view.LastMessage(), 164);
    EXPECT_EQ(m_state.m_command, 0);
}

TEST_F(CommandTransactionsTest, AutoStopAfterAHundredSilentTicks)
{
    m_state.m_autostop = 1;
    m_transactions.OnLinkStarted();
    EXPECT_EQ(m_state.m_command, kGimbalStopCode);
    EXPECT_EQ(m_state.m_autostop_count, TransactionState::kNotCounting);
    Ticks(500); // no frame yet: the watchdog waits
    EXPECT_EQ(m_state.m_autostop_count, TransactionState::kNotCounting);

    m_decoder.DecodeFrame(InboundFrame(kGimbalStopCode, 0));
    EXPECT_EQ(m_state.m_command, 0);
    EXPECT_EQ(m_state.m_autostop_count, 0);
    Ticks(99);
    EXPECT_EQ(m_state.m_command, 0);
    Ticks(1);
    EXPECT_EQ(m_state.m_command, kGimbalStopCode);

    // Once a command replaces it, counting on past 100 sets nothing more.
    m_state.m_command = 17;
    Ticks(50);
    EXPECT_EQ(m_state.m_autostop_count, 150);
    EXPECT_EQ(m_state.m_command, 17);

    // A frame without an acknowledgement restarts the count.
    m_state.m_command = kGimbalStopCode;
    m_decoder.DecodeFrame(InboundFrame(0, 0));
    EXPECT_EQ(m_state.m_autostop_count, 0);
    EXPECT_EQ(m_state.m_command, kGimbalStopCode);
    EXPECT_TRUE(m_view.statuses.size() == 2u); // 141 on start, 166 on the ack: the stop itself is silent
}

TEST_F(CommandTransactionsTest, AutoStopCountStopsShortOfOverflow)
{
    m_state.m_autostop = 1;
    m_state.m_autostop_count = std::numeric_limits<int32_t>::max() - 1;
    Ticks(3);
    EXPECT_EQ(m_state.m_autostop_count, std::numeric_limits<int32_t>::max());
}

TEST_F(CommandTransactionsTest, WithoutTheSwitchTheWatchdogNeverActs)
{
    m_transactions.OnLinkStarted();
    EXPECT_EQ(m_state.m_command, 0);
    m_decoder.DecodeFrame(InboundFrame(0, 0));
    Ticks(1000);
    EXPECT_EQ(m_state.m_autostop_count, TransactionState::kNotCounting);
    EXPECT_EQ(m_state.m_command, 0);
}

TEST_F(CommandTransactionsTest, LinkStartBeginsWithStopAndDownload)
{
    m_state.m_autostop = 1;
    m_transactions.OnLinkStarted();
    const ProtocolFrame frame = m_state.BuildNextFrame();
    EXPECT_EQ(frame[kFrameCodeOffset], kGimbalStopCode);
    EXPECT_EQ(frame[kFramePageOffset], 17);
    EXPECT_EQ(m_state.m_transfer_active, 1);
    EXPECT_EQ(m_view.button_changes, std::vector{false});
    EXPECT_EQ(m_view.statuses, (std::vector<ShownStatus>{{141, kBlack}}));
}

TEST_F(CommandTransactionsTest, UploadSendsTheGivenSetOnlyWhenButtonsAreEnabled)
{
    GimbalParams params{};
    params.m_roll_pid_kp = 12;
    EXPECT_FALSE(m_transactions.CanStartUpload());
    EXPECT_FALSE(m_transactions.StartUpload(params)); // buttons start disabled
    EXPECT_EQ(m_state.m_params.Snapshot().m_roll_pid_kp, 0);

    m_state.m_transfer_buttons_enabled = true;
    m_state.m_page = 33;
    EXPECT_TRUE(m_transactions.CanStartUpload());
    EXPECT_TRUE(m_transactions.StartUpload(params));
    EXPECT_EQ(m_state.m_page, 1);
    EXPECT_EQ(m_state.m_transfer_active, 1);
    EXPECT_EQ(m_view.button_changes, std::vector{false});
    EXPECT_EQ(m_view.statuses, (std::vector<ShownStatus>{{139, kBlack}}));
    EXPECT_EQ(m_state.BuildNextFrame()[23], 12);

    params.m_roll_pid_kp = 13;
    EXPECT_FALSE(m_transactions.StartUpload(params)); // Enter during the transfer
    EXPECT_EQ(m_state.BuildNextFrame()[23], 12);
}

TEST_F(CommandTransactionsTest, StopDuringUploadClearsEverythingSilently)
{
    m_state.m_transfer_buttons_enabled = true;
    m_state.m_command = 5;
    m_transactions.StartUpload(GimbalParams{});
    m_decoder.DecodeFrame(InboundFrame(0, 1));
    m_view.Forget();

    m_transactions.OnLinkStopped();
    EXPECT_EQ(m_state.m_page, 0);
    EXPECT_EQ(m_state.m_command, 0);
    EXPECT_EQ(m_state.m_transfer_active, 0);
    EXPECT_FALSE(m_state.m_transfer_buttons_enabled);
    EXPECT_EQ(m_view.button_changes, std::vector{false});
    EXPECT_EQ(m_view.clears, 1);
    EXPECT_TRUE(m_view.statuses.empty());
}

TEST_F(CommandTransactionsTest, UpgradeStartClearsRequestsAndDisablesTransfers)
{
    m_state.m_transfer_buttons_enabled = true;
    m_state.m_command = 7;
    m_state.m_page = 34;
    m_transactions.OnUpgradeStarted();
    EXPECT_EQ(m_state.m_command, 0);
    EXPECT_EQ(m_state.m_page, 0);
    EXPECT_FALSE(m_state.m_transfer_buttons_enabled);
    EXPECT_EQ(m_view.clears, 0);
}

} // namespace
