#pragma once

#include "protocol/command_table.h"
#include "protocol/parameter_transfer.h"
#include "protocol/protocol_view.h"
#include "protocol/telemetry_state.h"
#include "protocol/transaction_state.h"

// How a command button press ended.
enum class CommandOutcome {
    kSent,                   // the code is pending and goes out in every frame
    kPortClosed,             // nothing shown, nothing changed
    kConditionsNotSatisfied, // refused by the gimbal's calibration flag
    kDeclined,               // the operator answered No
};

// What the operator's buttons, the timer and the link button do to the
// transaction state. Runs on the user-interface thread only.
class CommandTransactions {
public:
    // After this many timer ticks without a valid frame the gimbal is stopped.
    static constexpr int32_t kAutoStopTicks = 100;

    CommandTransactions(TransactionState& state, const TelemetryState& telemetry, ProtocolView& view,
                        CommandGate& gate)
        : m_state(state), m_telemetry(telemetry), m_view(view), m_gate(gate), m_transfer(state, view)
    {
    }

    CommandOutcome RunCommand(const CommandRow& command);
    // Whether "Upload Param" may start: the port is open and the transfer
    // buttons are enabled (they are not while a transfer runs).
    bool CanStartUpload();
    // "Upload Param" with `params`; false when it may not start.
    bool StartUpload(const GimbalParams& params);
    // "Download Param"; false only with the port closed.
    bool StartDownload();
    // One tick of the 10 ms timer: the auto-stop watchdog.
    void AutoStopTick();
    // Right after the port has opened: an optional stop, then a download.
    void OnLinkStarted();
    // Right after the port has closed on "Stop Debug".
    void OnLinkStopped();
    // When a firmware upgrade takes the port over.
    void OnUpgradeStarted();

private:
    TransactionState& m_state;
    const TelemetryState& m_telemetry;
    ProtocolView& m_view;
    CommandGate& m_gate;
    ParameterTransfer m_transfer;
};
