#include "params/param_file.h"
#include "params/param_file_check.h"
#include "protocol/command_table.h"
#include "resources/control_ids.h"
#include "resources/message_ids.h"
#include "resources/message_table.h"
#include "resources/ui_texts.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/controls/ckrq_edit.h"
#include "ui/controls/ckrq_static.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/dialog/orvane_app.h"
#include "ui/dialog/orvane_dlg.h"

#include <QFileInfo>

namespace {

QColor ToQColor(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

} // namespace

void COrvaneDlg::OnCommandButton(int control)
{
    if (const CommandRow* command = FindCommandByControl(control))
        m_link.Transactions().RunCommand(*command);
}

// The panel is read only for an upload that starts: Enter with the link
// closed leaves the panel as typed.
void COrvaneDlg::OnUploadParam()
{
    if (!m_link.Transactions().CanStartUpload())
        return;
    UpdateParamsFromPanel();
    m_link.Transactions().StartUpload(m_params);
}

void COrvaneDlg::OnDownloadParam()
{
    m_link.Transactions().StartDownload();
}

void COrvaneDlg::DisableTransferButtons()
{
    m_link.State().m_transfer_buttons_enabled = false;
    EnableTransferButtons(false);
}

// The transfer's own news: it starts (buttons off) or ends (buttons on).
// Handlers that close the link or give it to an upgrade say so to the link
// status before the transfer they abort turns the buttons off.
void COrvaneDlg::EnableTransferButtons(bool enabled)
{
    if (enabled)
        m_link_status.OnTransferFinished();
    else
        m_link_status.OnTransferStarted();
    for (const ControlId button : kTransferButtons)
        EnableControl(button, enabled);
}

void COrvaneDlg::ShowStatus(int message_id, Rgb colour)
{
    ShowStatusText(ToQColor(colour), QString::fromStdString(LoadMessage(message_id)));
}

void COrvaneDlg::ClearStatus()
{
    ShowStatusText(ToQColor(kBlack), QString());
}

void COrvaneDlg::RefreshTelemetry(TelemetryRefresh mode)
{
    m_telemetry_display.Refresh(m_link.Telemetry(), mode);
}

bool COrvaneDlg::Confirm(int message_id)
{
    return m_prompts.AskYesNo(this, QString::fromStdString(m_app.m_app_title),
                              QString::fromStdString(LoadMessage(message_id)));
}

void COrvaneDlg::InitParamEditLimits()
{
    for (const PanelBinding& binding : PanelBindings()) {
        if (auto* edit = m_controls.Get<CKRQEdit>(binding.control)) {
            edit->m_kind = binding.kind;
            edit->m_min = binding.min;
            edit->m_max = binding.max;
        }
    }
}

// The box starts without a choice, as the fixed boxes do: the toolkit
// selects the first item added, which a save would write as the user's.
void COrvaneDlg::FillTypeCombo(ControlId control, const std::string& list)
{
    auto* box = m_controls.Get<CKRQCombo>(control);
    box->clear();
    for (const std::string& item : SplitTypeList(list))
        box->addItem(QString::fromStdString(item));
    box->SelectIndex(-1);
}

void COrvaneDlg::FillProductTypeCombo(const std::string& list)
{
    m_app_settings.m_product_type_list = list;
    FillTypeCombo(ControlId::kProductTypeBox, list);
}

void COrvaneDlg::FillGimbalTypeCombo(const std::string& list)
{
    m_app_settings.m_gimbal_type_list = list;
    FillTypeCombo(ControlId::kGimbalTypeBox, list);
}

void COrvaneDlg::FillCameraTypeCombo(const std::string& list)
{
    m_app_settings.m_camera_type_list = list;
    FillTypeCombo(ControlId::kCameraTypeBox, list);
}

void COrvaneDlg::FillRangerTypeCombo(const std::string& list)
{
    m_app_settings.m_ranger_type_list = list;
    FillTypeCombo(ControlId::kRangerTypeBox, list);
}

// A download has ended: what the gimbal holds goes into the panel.
void COrvaneDlg::OnDownloadFinished(const GimbalParams& params)
{
    ShowParams(params);
    m_comparison.OnDownloadFinished(params);
}

void COrvaneDlg::ShowParams(const GimbalParams& params)
{
    m_params = params;
    UpdatePanelFromParams();
}

void COrvaneDlg::UpdatePanelFromParams()
{
    CopyParamsToPanel(m_params, m_panel);
}

void COrvaneDlg::UpdateParamsFromPanel()
{
    CopyPanelToParams(m_panel, m_params);
}

void COrvaneDlg::OnOpenParam()
{
    const QString path = m_prompts.ChooseFileToOpen(this, ParamFileChoice(m_param_file_name));
    if (path.isEmpty())
        return;
    m_param_file_name = QFileInfo(path).fileName().toStdString();
    GimbalParams params = m_params;
    // An unreadable file must not load defaults over the panel and the
    // gimbal's tuning, nor pass for a success.
    if (!TryLoadParamFile(path.toStdString(), params)) {
        ShowStatusText(ToQColor(kRed),
                       QString::fromStdString(LoadUiText(UiText::kParamFileOpenFailed, path.toStdString())));
        return;
    }
    // While linked, the panel is what the gimbal runs on: the user sees
    // what the file would change and picks.
    if (m_link_status.ShowsStopDebug()) {
        UpdateParamsFromPanel();
        std::optional<GimbalParams> chosen =
            m_comparison.ChooseFromOther(m_params, params, m_param_file_name, UiText::kComparePanel);
        if (!chosen)
            return;
        params = *chosen;
    }
    ShowParams(params);
    ShowStatus(Id(MessageId::kParamFileOpened), kBlack);
    ShowValuesThePanelRefused(params);
}

// The panel keeps its previous text where an edit refuses a value, so the
// next upload would send that text rather than the file: the user is told
// which values, in red, with the list in the status line's tooltip.
void COrvaneDlg::ShowValuesThePanelRefused(const GimbalParams& params)
{
    const std::vector<RefusedPanelValue> refused = ValuesThePanelRefuses(params);
    QString list;
    for (const RefusedPanelValue& value : refused)
        list += QString::fromStdString(value.key + "=" + value.text + ": " + value.reason + "\n");
    auto* status = m_controls.Get<CKRQStatic>(ControlId::kStatusLine);
    status->setToolTip(list.trimmed());
    if (!refused.empty())
        ShowStatusText(ToQColor(kRed), QString::fromStdString(LoadUiText(UiText::kParamFileValuesRefused,
                                                                         std::to_string(refused.size()))));
}

void COrvaneDlg::OnSaveParam()
{
    const QString path = m_prompts.ChooseFileToSave(this, ParamFileChoice(m_param_file_name));
    if (path.isEmpty())
        return;
    m_param_file_name = QFileInfo(path).fileName().toStdString();
    UpdateParamsFromPanel();
    if (!SaveParamFile(path.toStdString(), m_params))
        ShowStatusText(ToQColor(kRed),
                       QString::fromStdString(LoadUiText(UiText::kParamFileSaveFailed, path.toStdString())));
}
