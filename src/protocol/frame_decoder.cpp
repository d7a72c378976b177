#include "protocol/frame_decoder.h"

#include "protocol/command_table.h"
#include "protocol/param_page_codec.h"
#include "protocol/protocol_messages.h"
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
    if (PassesPageGate(page))
        ActOnPage(page, frame);
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

bool FrameDecoder::PassesPageGate(uint8_t page) const
{
    // During a transfer only the echo of the requested page moves it on;
    // late echoes of earlier pages are ignored.
    if (m_state.m_transfer_active.load() != 0)
        return page == m_state.m_page.load();
    // Outside a transfer a parameter page can only be a stale echo of one
    // that has finished; acting on it would write the record or restart
    // paging that nobody asked for.
    return !IsUploadPage(page) && !IsDownloadPage(page);
}

void FrameDecoder::ActOnPage(uint8_t page, const ProtocolFrame& frame)
{
    if (page == kLastUploadPage) {
        FinishTransfer(kMsgParamUploadDone);
    } else if (IsUploadPage(page)) {
        m_state.m_page = static_cast<uint8_t>(page + 1);
    } else if (IsDownloadPage(page)) {
        m_state.m_params.Update([&](GimbalParams& params) { DecodeParamPage(page, frame, params); });
        if (page == kLastDownloadPage) {
            m_view.UpdatePanelFromParams();
            FinishTransfer(kMsgParamDownloadDone);
        } else {
            m_state.m_page = static_cast<uint8_t>(page + 1);
        }
    } else if (page == kStatusPage) {
        DecodeStatusPage(frame, m_telemetry);
        m_view.RefreshTelemetry(TelemetryRefresh::kStatusPage);
        m_state.m_page = kGridPage;
    } else if (page == kGridPage) {
        DecodeGridPage(frame, m_telemetry);
        m_view.RefreshTelemetry(TelemetryRefresh::kGridPage);
        m_state.m_page = kStatusPage;
    }
}

void FrameDecoder::FinishTransfer(int message_id)
{
    m_state.m_transfer_buttons_enabled = true;
    m_view.EnableTransferButtons(true);
    m_state.m_transfer_active = 0;
    m_state.m_page = kStatusPage;
    m_view.ShowStatus(message_id, kBlack);
}
