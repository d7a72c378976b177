#include "app/window_options.h"
#include "platform/port_identity.h"
#include "resources/control_ids.h"
#include "resources/message_ids.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/dialog/orvane_app.h"
#include "ui/dialog/orvane_dlg.h"

// Known before the port can go: once unplugged, sysfs no longer says what
// it was.
void COrvaneDlg::RememberLinkedPort(const std::string& device)
{
    m_linked_port_identity = PortIdentityOf(SystemPortListingSources(), device);
    m_watching_for_port = false;
    m_link_lost = false;
}

// The link has shown message 132 already; the button keeps "Stop Debug" so
// the user ends the link with it. Meanwhile the window watches for the port
// to come back.
void COrvaneDlg::OnLinkLost()
{
    m_gimbal_comparison_file.reset(); // its download will not finish
    m_link_lost = true;
    m_watching_for_port = !m_linked_port_identity.empty();
}

// The user ended the link (Stop Debug, another port, an upgrade): a port
// that comes back is no longer awaited, and a comparison waiting for the
// download will not get it.
void COrvaneDlg::ForgetLostLink()
{
    m_gimbal_comparison_file.reset();
    m_link_lost = false;
    m_watching_for_port = false;
}

void COrvaneDlg::LookForReturnedPort()
{
    const std::optional<SerialPortItem> port =
        FindPortWithIdentity(SystemPortListingSources(), m_linked_port_identity);
    if (!port)
        return;
    m_watching_for_port = false;
    SelectPort(port->m_device_path);
    if (m_reconnect_automatically) {
        Reconnect();
        return;
    }
    m_prompts.OfferAction(this,
                          QString::fromStdString(LoadUiText(UiText::kPortReturned, port->m_display_name)),
                          QString::fromStdString(LoadUiText(UiText::kReconnect)), [this] { Reconnect(); });
}

// Selected by its device, which may have a new name and place in the list.
void COrvaneDlg::SelectPort(const std::string& device)
{
    ListSerialPorts(-1);
    auto* box = m_controls.Get<CKRQCombo>(ControlId::kPortBox);
    box->SelectIndex(box->findData(QString::fromStdString(device)));
}

// As the user would: "Stop Debug" on the lost link, then "Start Debug" on
// the selected port. An offer taken after the user has linked again leaves
// that link alone.
void COrvaneDlg::Reconnect()
{
    if (!m_link_lost)
        return;
    if (IsLinkButtonShowing(MessageId::kStopDebug))
        OnStartStopDebug();
    OnStartStopDebug();
}

void COrvaneDlg::OnReconnectAutomatically(bool on)
{
    m_reconnect_automatically = on;
    WriteWindowOption(WindowOption::kReconnectAutomatically, on, m_app.m_settings_path);
}
