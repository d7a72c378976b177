#include "protocol/command_transactions.h"

#include "resources/message_ids.h"

#include <limits>

CommandOutcome CommandTransactions::RunCommand(const CommandRow& command)
{
    if (!m_gate.IsPortOpen())
        return CommandOutcome::kPortClosed;
    if (command.needs_cal_allowed && m_telemetry.m_cal_allowed == 0) {
        m_view.ShowStatus(Id(MessageId::kConditionsNotSatisfied), kMagenta);
        return CommandOutcome::kConditionsNotSatisfied;
    }
    if (command.confirm_message != 0 && !m_gate.Confirm(command.confirm_message))
        return CommandOutcome::kDeclined;
    m_state.m_command = command.code;
    m_view.ShowStatus(command.progress_message, kBlack);
    return CommandOutcome::kSent;
}

bool CommandTransactions::CanStartUpload()
{
    return m_gate.IsPortOpen() && m_state.m_transfer_buttons_enabled.load();
}

bool CommandTransactions::StartUpload(const GimbalParams& params)
{
    if (!CanStartUpload())
        return false;
    m_transfer.StartUpload(params);
    return true;
}

bool CommandTransactions::StartDownload()
{
    // No test of the buttons: the link start runs this while they are disabled.
    if (!m_gate.IsPortOpen())
        return false;
    m_transfer.StartDownload();
    return true;
}

void CommandTransactions::AutoStopTick()
{
    if (m_state.m_autostop.load() == 0)
        return;
    const int32_t count = m_state.m_autostop_count.load();
    // Counting goes on past the limit without further effect; it stops short
    // of overflowing on a link that stays silent for months.
    if (count == TransactionState::kNotCounting || count == std::numeric_limits<int32_t>::max())
        return;
    m_state.m_autostop_count = count + 1;
    if (count + 1 == kAutoStopTicks)
        m_state.m_command = kGimbalStopCode;
}

void CommandTransactions::OnLinkStarted()
{
    if (m_state.m_autostop.load() != 0) {
        m_state.m_autostop_count = TransactionState::kNotCounting;
        m_state.m_command = kGimbalStopCode;
    } else {
        m_state.m_command = 0;
    }
    StartDownload();
}

void CommandTransactions::OnLinkStopped()
{
    m_transfer.Abort();
    m_state.m_command = 0;
    m_view.ClearStatus();
}

void CommandTransactions::OnUpgradeStarted()
{
    m_state.m_command = 0;
    m_transfer.Abort();
}
