#pragma once

#include "protocol/command_transactions.h"
#include "protocol/frame_decoder.h"
#include "protocol/telemetry_state.h"
#include "protocol/transaction_state.h"

// Everything one link needs on the protocol side, wired together: the
// transaction state the sender reads, the decoded telemetry, the decoder and
// the command handlers. The window (or a command-line front end) supplies the
// view and the gate; the receive pump of the link feeds the decoder.
class ProtocolSession {
public:
    ProtocolSession(ProtocolView& view, CommandGate& gate)
        : m_decoder(m_state, m_telemetry, view), m_transactions(m_state, m_telemetry, view, gate)
    {
    }

    ProtocolSession(const ProtocolSession&) = delete;
    ProtocolSession& operator=(const ProtocolSession&) = delete;

    TransactionState& State() { return m_state; }
    const TelemetryState& Telemetry() const { return m_telemetry; }
    FrameDecoder& Decoder() { return m_decoder; }
    CommandTransactions& Transactions() { return m_transactions; }

private:
    TransactionState m_state;
    TelemetryState m_telemetry{};
    FrameDecoder m_decoder;
    CommandTransactions m_transactions;
};
