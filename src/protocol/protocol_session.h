#pragma once

#include "protocol/command_transactions.h"
#include "protocol/frame_decoder.h"
#include "protocol/frame_synchroniser.h"
#include "protocol/telemetry_state.h"
#include "protocol/transaction_state.h"

#include <cstdint>
#include <span>

// Everything one link needs on the protocol side, wired together: the
// transaction state the sender reads, the decoded telemetry, the receive
// synchroniser, the decoder and the command handlers. The window (or a
// command-line front end) supplies the view and the gate.
class ProtocolSession {
public:
    ProtocolSession(ProtocolView& view, CommandGate& gate)
        : m_decoder(m_state, m_telemetry, view), m_transactions(m_state, m_telemetry, view, gate),
          m_gate(gate)
    {
    }

    ProtocolSession(const ProtocolSession&) = delete;
    ProtocolSession& operator=(const ProtocolSession&) = delete;

    // Feeds received bytes through the synchroniser; each completed frame is
    // decoded at once while the port is open and dropped otherwise.
    void ReceiveBytes(std::span<const uint8_t> bytes);

    TransactionState& State() { return m_state; }
    const TelemetryState& Telemetry() const { return m_telemetry; }
    FrameDecoder& Decoder() { return m_decoder; }
    CommandTransactions& Transactions() { return m_transactions; }

private:
    TransactionState m_state;
    TelemetryState m_telemetry{};
    FrameSynchroniser m_synchroniser;
    FrameDecoder m_decoder;
    CommandTransactions m_transactions;
    CommandGate& m_gate;
};
