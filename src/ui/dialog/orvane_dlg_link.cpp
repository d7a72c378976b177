#include "app/startup.h"
#include "link/sender_thread.h"
#include "platform/port_listing.h"
#include "resources/control_ids.h"
#include "resources/message_ids.h"
#include "resources/message_table.h"
#include "resources/ui_texts.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/controls/ckrq_static.h"
#include "ui/controls/system_colors.h"
#include "ui/controls/window_text.h"
#include "ui/dialog/orvane_app.h"
#include "ui/dialog/orvane_dlg.h"

#include <QTimer>

namespace {

// Each item keeps the device it stands for.
constexpr int kDeviceRole = Qt::UserRole;

} // namespace

// Relists the ports and selects `index`; an index that is not an item keeps
// the selection's previous index (none at start-up). A listing that cannot be
// read leaves the box's items and selection as they are.
void COrvaneDlg::ListSerialPorts(int index)
{
    const std::optional<std::vector<SerialPortItem>> ports =
        ReadSerialPortItems(m_app.m_port_sources.value_or(SystemPortListingSources()));
    if (!ports)
        return;
    auto* box = m_controls.Get<CKRQCombo>(ControlId::kPortBox);
    const int previous = box->currentIndex();
    box->clear();
    // The listing comes sorted as text, as the box keeps its items.
    for (const SerialPortItem& port : *ports)
        box->addItem(QString::fromStdString(port.m_display_name), QString::fromStdString(port.m_device_path));
    box->SelectIndex(index >= 0 && index < box->count() ? index : previous);
}

std::string COrvaneDlg::GetSelectedPortDevice() const
{
    const auto* box = m_controls.Get<CKRQCombo>(ControlId::kPortBox);
    if (box->currentIndex() < 0)
        return {};
    return box->currentData(kDeviceRole).toString().toStdString();
}

void COrvaneDlg::SelectPortDevice(const std::string& device)
{
    ListSerialPorts(-1);
    auto* box = m_controls.Get<CKRQCombo>(ControlId::kPortBox);
    box->SelectIndex(box->findData(QString::fromStdString(device)));
}

void COrvaneDlg::OnPortDropDown()
{
    ListSerialPorts(-1);
}

// A new port while the link runs ends the link; the next "Start Debug"
// opens the new one.
void COrvaneDlg::OnPortSelChange()
{
    if (!IsLinkButtonShowing(MessageId::kStopDebug))
        return;
    m_link_status.OnLinkClosed();
    m_link.ClosePort();
    DisableTransferButtons();
    SetCaption(ControlId::kLinkButton, MessageId::kStartDebug);
}

void COrvaneDlg::OnLanguageSelected()
{
    SaveLanguageSelection(m_controls.Get<CKRQCombo>(ControlId::kLanguageBox)->currentIndex(),
                          m_app.m_settings_path);
    m_app.m_restart_pending = true;
    // Closed from the event loop, as if the user had closed the window.
    QTimer::singleShot(0, this, &QWidget::close);
}

bool COrvaneDlg::IsLinkButtonShowing(MessageId caption) const
{
    return WindowText(m_controls.Find(ControlId::kLinkButton)) ==
           QString::fromStdString(LoadMessage(caption));
}

void COrvaneDlg::OnStartStopDebug()
{
    auto* status = m_controls.Get<CKRQStatic>(ControlId::kStatusLine);
    if (IsLinkButtonShowing(MessageId::kStartDebug)) {
        m_record_replay.StopReplay();
        const std::string device = GetSelectedPortDevice();
        const PortOpenResult opened = m_link.StartLink(device, m_app_settings.m_baud_rate);
        // Why it failed is one hover away; the status line keeps its message.
        // A link that sends nothing (a send period the system's timer does
        // not take) says so the same way.
        status->setToolTip(QString::fromStdString(
            opened.Succeeded() ? DescribeUnusableSendPeriod(m_app_settings.m_send_period)
                               : DescribePortOpenFailure(opened, device.empty() ? "(no port)" : device,
                                                         m_app_settings.m_baud_rate)));
        if (!opened.Succeeded())
            return; // the link has shown "Serial Port Open Failed"
        m_link_status.OnLinkOpened();
        m_reconnect.Logic().OnLinkOpened(device);
        SetCaption(ControlId::kLinkButton, MessageId::kStopDebug);
        return;
    }
    // Said first: the transfer the stop aborts is no transfer starting.
    m_link_status.OnLinkClosed();
    m_link.StopLink();
    SetCaption(ControlId::kLinkButton, MessageId::kStartDebug);
}

// The link has shown message 132; the button keeps "Stop Debug", so the
// user ends the link with it.
void COrvaneDlg::OnLinkLost()
{
    m_reconnect.Logic().OnLinkLost();
}

void COrvaneDlg::OnFrameDecoded(const ProtocolFrame& frame)
{
    m_record_replay.OnFrameDecoded(frame);
}

void COrvaneDlg::OnSerialEvent()
{
    m_link.HandleWakeUp();
}

void COrvaneDlg::LoadAppSettings()
{
    m_app_settings = LoadAppSettingsFrom(m_app.m_settings_path);
    ListSerialPorts(m_app_settings.m_port_index);
    FillProductTypeCombo(m_app_settings.m_product_type_list);
    FillGimbalTypeCombo(m_app_settings.m_gimbal_type_list);
    FillCameraTypeCombo(m_app_settings.m_camera_type_list);
    FillRangerTypeCombo(m_app_settings.m_ranger_type_list);
}

void COrvaneDlg::SaveAppSettings()
{
    SaveAppSettingsTo(m_app.m_settings_path, m_app_settings,
                      m_controls.Get<CKRQCombo>(ControlId::kPortBox)->currentIndex());
}
