#include "protocol/parameter_transfer.h"

#include "protocol/param_page_codec.h"
#include "protocol/telemetry_pages.h"
#include "resources/message_ids.h"

void ParameterTransfer::StartUpload(const GimbalParams& params)
{
    // The record is complete before page 1 is requested, so the sender's
    // first page-1 frame already carries the new values.
    m_state.m_params.Replace(params);
    Begin(kFirstUploadPage, Id(MessageId::kParamUploading));
}

void ParameterTransfer::StartDownload()
{
    Begin(kFirstDownloadPage, Id(MessageId::kParamDownloading));
}

void ParameterTransfer::Begin(uint8_t first_page, int progress_message)
{
    EnableButtons(false);
    m_state.m_transfer_active = 1;
    m_state.m_page = first_page;
    m_view.ShowStatus(progress_message, kBlack);
}

void ParameterTransfer::OnPageEcho(uint8_t page, const ProtocolFrame& frame)
{
    if (!IsActive() || page != m_state.m_page.load())
        return;
    if (IsDownloadPage(page))
        m_state.m_params.Update([&](GimbalParams& params) { DecodeParamPage(page, frame, params); });
    if (page == kLastUploadPage) {
        Finish(Id(MessageId::kParamUploadDone));
    } else if (page == kLastDownloadPage) {
        m_view.OnDownloadFinished(m_state.m_params.Snapshot());
        Finish(Id(MessageId::kParamDownloadDone));
    } else {
        m_state.m_page = static_cast<uint8_t>(page + 1);
    }
}

void ParameterTransfer::Abort()
{
    EnableButtons(false);
    m_state.m_transfer_active = 0;
    m_state.m_page = 0;
}

void ParameterTransfer::Finish(int message_id)
{
    EnableButtons(true);
    m_state.m_transfer_active = 0;
    m_state.m_page = kStatusPage;
    m_view.ShowStatus(message_id, kBlack);
}

void ParameterTransfer::EnableButtons(bool enabled)
{
    m_state.m_transfer_buttons_enabled = enabled;
    m_view.EnableTransferButtons(enabled);
}
