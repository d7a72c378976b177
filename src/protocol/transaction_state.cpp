#include "protocol/transaction_state.h"

#include "protocol/outbound_frame.h"
#include "protocol/param_page_codec.h"

ProtocolFrame TransactionState::BuildNextFrame() const
{
    const uint8_t command = m_command.load();
    const uint8_t page = m_page.load();
    // Only the upload pages carry the record; the others need no copy.
    if (IsUploadPage(page))
        return BuildOutboundFrame(command, page, m_params.Snapshot());
    return BuildOutboundFrame(command, page, GimbalParams{});
}
