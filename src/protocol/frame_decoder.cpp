#include "protocol/frame_decoder.h"

#include "protocol/command_table.h"
#include "protocol/telemetry_pages.h"

bool FrameDecoder::DecodeFrame(const ProtocolFrame& frame)
{
    if (!CheckFrame(frame))
        return false;
    if (m_state.m_autostop.load() != 0)
        m_state.m_autostop_count = 0;
    TakeAcknowledgement(frame[kFrameCodeOffset]);
    DecodeAttitude(frame, m_telemetry);
    m_view.RefreshTelemetry(TelemetryRefresh::kEveryFrame);

    const uint8_t page = frame[kFramePageOffset];
    if (m_transfer.IsActive())
        m_transfer.OnPageEcho(page, frame);
    else
        ActOnLivePage(page, frame);
    return true;
}

void FrameDecoder::TakeAcknowledgement(uint8_t ack_code)
{
    // Any acknowledgement ends whatever command is pending.
    if (const auto ack = FindAcknowledgement(ack_code)) {
        m_view.ShowStatus(ack->message_id, ack->colour);
        m_state.m_command = 0;
    }
}

void FrameDecoder::ActOnLivePage(uint8_t page, const ProtocolFrame& frame)
{
    // Outside a transfer a parameter page can only be a stale echo of one
    // that has finished; it is ignored like any other page not listed here.
    if (page == kStatusPage) {
        DecodeStatusPage(frame, m_telemetry);
        m_view.RefreshTelemetry(TelemetryRefresh::kStatusPage);
        m_state.m_page = kGridPage;
    } else if (page == kGridPage) {
        DecodeGridPage(frame, m_telemetry);
        m_view.RefreshTelemetry(TelemetryRefresh::kGridPage);
        m_state.m_page = kStatusPage;
    }
}
