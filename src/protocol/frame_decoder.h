#pragma once

#include "protocol/parameter_transfer.h"
#include "protocol/protocol_frame.h"
#include "protocol/protocol_view.h"
#include "protocol/telemetry_state.h"
#include "protocol/transaction_state.h"

// Acts on one inbound frame: checks its CRC, feeds the auto-stop watchdog,
// ends an acknowledged command, stores the attitude and acts on the page
// echo (live status, parameter read-back, transfer steps). Runs on the
// user-interface thread only.
class FrameDecoder {
public:
    FrameDecoder(TransactionState& state, TelemetryState& telemetry, ProtocolView& view)
        : m_state(state), m_telemetry(telemetry), m_view(view), m_transfer(state, view)
    {
    }

    // False when the CRC rejected the frame; it then had no effect at all.
    bool DecodeFrame(const ProtocolFrame& frame);

private:
    void TakeAcknowledgement(uint8_t ack_code);
    void ActOnLivePage(uint8_t page, const ProtocolFrame& frame);

    TransactionState& m_state;
    TelemetryState& m_telemetry;
    ProtocolView& m_view;
    ParameterTransfer m_transfer;
};
