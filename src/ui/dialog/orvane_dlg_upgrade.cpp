#include "features/upgrade_backup/upgrade_backup_note.h"
#include "resources/control_ids.h"
#include "resources/message_ids.h"
#include "resources/message_table.h"
#include "resources/ui_texts.h"
#include "ui/controls/ckrq_prog.h"
#include "ui/controls/ckrq_static.h"
#include "ui/controls/system_colors.h"
#include "ui/controls/window_text.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/dialog/orvane_dlg.h"
#include "ui/dialog/posted_events.h"

#include <QCoreApplication>
#include <chrono>

namespace {

const FileChoice kFirmwareFileChoice{QStringLiteral("cahf file(*.cahf)"), QStringLiteral("cahf"), QString()};

// What each event shows in the status line; `ends` returns the button to
// "Upgrade".
struct IapEventLook {
    int32_t code;
    int message_id;
    Rgb colour;
    bool ends;
};
constexpr IapEventLook kIapEventLooks[] = {
    {IAP_PORT_OPEN_FAILED, Id(MessageId::kPortOpenFailed), kRed, true},
    {IAP_PROGRESS, Id(MessageId::kUpgrading), kBlack, false},
    {IAP_SUCCESS, Id(MessageId::kUpgradeSuccessful), kBlack, true},
    {IAP_DEVICE_TYPE_ERROR, Id(MessageId::kDeviceTypeError), kRed, true},
    {IAP_FAILED, Id(MessageId::kUpgradeFailed), kRed, true},
};

QString DetailOf(const IapEvent& event)
{
    return QString::fromUtf8(event.detail,
                             static_cast<qsizetype>(qstrnlen(event.detail, sizeof event.detail)));
}

} // namespace

void COrvaneDlg::OnOpenFirmware()
{
    const QString path = m_prompts.ChooseFileToOpen(this, kFirmwareFileChoice);
    if (path.isEmpty())
        return;
    m_firmware_path = path.toStdString();
    EnableControl(ControlId::kUpgradeButton, true);
}

// The button's caption is the upgrade's state: "Upgrade" idle, "Cancel" running.
void COrvaneDlg::OnUpgradeFirmware()
{
    if (WindowText(m_controls.Find(ControlId::kUpgradeButton)) ==
        QString::fromStdString(LoadMessage(MessageId::kUpgrade))) {
        StartUpgrade();
        return;
    }
    // Stop joins the upgrade's thread; news it posted before that belongs to
    // the cancelled run and would move the bar under an idle button.
    m_iap.Stop();
    QCoreApplication::removePostedEvents(this, IapPostedEvent::Type());
    m_link_status.OnUpgradeEnded();
    SetCaption(ControlId::kUpgradeButton, MessageId::kUpgrade);
}

void COrvaneDlg::StartUpgrade()
{
    // Kept before the old firmware goes, without new traffic.
    m_controls.Find(ControlId::kStatusLine)
        ->setToolTip(QString::fromStdString(BackUpBeforeUpgrade(m_link.State().m_params.Snapshot(),
                                                                m_link.Telemetry().m_main_version,
                                                                std::chrono::system_clock::now())));
    // Said first: the transfer the upgrade aborts is no transfer starting.
    m_link_status.OnUpgradeStarted();
    m_link.Transactions().OnUpgradeStarted();
    ShowStatus(Id(MessageId::kEnteringUpgrade), kBlack);
    m_link.ClosePort();
    DisableTransferButtons();
    m_controls.Get<CKRQProg>(ControlId::kLevelBar)->SetPos(0, DrawnColors::kGreen);
    m_controls.Get<CKRQStatic>(ControlId::kMainVersion)->SetText(QString());
    SetCaption(ControlId::kLinkButton, MessageId::kStartDebug);
    // The bootloader talks at the rate the link was configured for.
    m_iap.SetBaud(m_app_settings.m_baud_rate);
    m_iap.Start(GetSelectedPortDevice(), m_firmware_path);
    SetCaption(ControlId::kUpgradeButton, MessageId::kCancel);
}

void COrvaneDlg::PostIapEvent(const IapEvent& event)
{
    QCoreApplication::postEvent(this, new IapPostedEvent(event));
}

void COrvaneDlg::OnIapEvent(const IapEvent& event)
{
    for (const IapEventLook& look : kIapEventLooks) {
        if (look.code != event.code)
            continue;
        ShowStatus(look.message_id, look.colour);
        if (event.code == IAP_PROGRESS)
            m_controls.Get<CKRQProg>(ControlId::kLevelBar)->SetPos(event.percent, DrawnColors::kGreen);
        if (look.ends) {
            m_link_status.OnUpgradeEnded();
            SetCaption(ControlId::kUpgradeButton, MessageId::kUpgrade);
            // What happened, above where the backup went.
            QWidget* status = m_controls.Find(ControlId::kStatusLine);
            if (const QString detail = DetailOf(event); !detail.isEmpty())
                status->setToolTip(detail + QLatin1Char('\n') + status->toolTip());
        }
        return;
    }
}
