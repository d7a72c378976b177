#pragma once

#include "protocol/protocol_frame.h"
#include "protocol/protocol_view.h"
#include "protocol/transaction_state.h"

// The parameter upload (pages 1 to 6) and download (pages 17 to 22): how one
// starts, how the gimbal's echo of the requested page moves it on, and how
// it ends. Its state is the transaction state the sender reads, so any
// number of these views of one state agree. Runs on the user-interface
// thread only; the callers decide whether a transfer may start.
class ParameterTransfer {
public:
    ParameterTransfer(TransactionState& state, ProtocolView& view) : m_state(state), m_view(view) {}

    // Puts `params` into the record the sender sends from, then requests page 1.
    void StartUpload(const GimbalParams& params);
    // Requests page 17.
    void StartDownload();
    bool IsActive() const { return m_state.m_transfer_active.load() != 0; }

    // An inbound frame echoed `page` while a transfer runs. Only the echo
    // of the requested page counts; late echoes of earlier pages are ignored.
    void OnPageEcho(uint8_t page, const ProtocolFrame& frame);

    // Drops a running transfer without a word (link stopped, firmware
    // upgrade): no page is requested and the buttons stay disabled.
    void Abort();

private:
    void Begin(uint8_t first_page, int progress_message);
    void Finish(int message_id);
    void EnableButtons(bool enabled);

    TransactionState& m_state;
    ProtocolView& m_view;
};
