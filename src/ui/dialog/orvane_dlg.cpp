#include "ui/dialog/orvane_dlg.h"
#include "resources/control_ids.h"

#include "app/startup.h"
#include "platform/ui_language.h"
#include "resources/accessible_names.h"
#include "resources/dialog_template.h"
#include "resources/dialog_units.h"
#include "resources/message_table.h"
#include "resources/wrapper_rule.h"
#include "ui/controls/ckrq_chan.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/controls/ckrq_edit.h"
#include "ui/controls/ckrq_list.h"
#include "ui/controls/ckrq_prog.h"
#include "ui/controls/ckrq_static.h"
#include "ui/controls/dialog_font.h"
#include "ui/controls/skinned_buttons.h"
#include "ui/controls/window_text.h"
#include "ui/dialog/dialog_base_units.h"
#include "ui/dialog/orvane_app.h"
#include "ui/dialog/posted_events.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

constexpr int kTimerPeriodMs = 10;
constexpr ControlId kTransferAndUpgradeButtons[] = {ControlId::kFlashButton, ControlId::kUploadButton,
                                                    ControlId::kDownloadButton, ControlId::kUpgradeButton};

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Wrapper> Wrapper* Append(std::vector<std::unique_ptr<Wrapper>>& list, QWidget* parent)
{
    list.push_back(std::make_unique<Wrapper>(parent));
    return list.back().get();
}

Qt::Alignment StaticAlignment(uint32_t style)
{
    switch (style & ControlStyle::kStaticAlignMask) {
    case ControlStyle::kStaticCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case ControlStyle::kStaticRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

void ApplySunkenEdge(QFrame& frame, uint32_t style)
{
    if ((style & ControlStyle::kSunken) != 0)
        frame.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

} // namespace

COrvaneDlg::COrvaneDlg(COrvaneApp& app, DialogPrompts& prompts)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      m_app(app), m_prompts(prompts),
      m_tooltip(m_controls, [this]() -> const TelemetryState& { return m_record_replay.Shown(); }),
      m_link(*this, *this, [this] { PostSerialEvent(this); }),
      m_reconnect(m_link_status, m_prompts, this, m_app.m_settings_path,
                  {[this](const std::string& device) { SelectPortDevice(device); },
                   // A lost link still shows "Stop Debug": the first press
                   // ends it, the second starts the selected port.
                   [this] {
                       OnStartStopDebug();
                       OnStartStopDebug();
                   }}),
      m_comparison(m_link_status, m_prompts, m_panel, this,
                   {[this](const QColor& colour, const QString& text) { ShowStatusText(colour, text); },
                    [this] { OnDownloadParam(); },
                    [this](const GimbalParams& params) { ShowParams(params); }}),
      m_record_replay(m_link_status, m_link.Telemetry(), m_telemetry_display, m_prompts, this,
                      m_app.m_app_title, m_app.m_settings_path,
                      {[this](const QColor& colour, const QString& text) { ShowStatusText(colour, text); },
                       [this] {
                           if (m_link_status.ShowsStopDebug())
                               OnStartStopDebug();
                       },
                       [this](UiText caption) { return MenuAction(caption); }}),
      m_expert_view(*this, m_app.m_settings_path, [this] { CutToVisibleArea(); }),
      m_menu(*this, {m_expert_view, m_comparison, m_reconnect, m_record_replay, m_param_file_name})
{
    setFont(DialogFont());
    setAttribute(Qt::WA_DeleteOnClose, false);
}

COrvaneDlg::~COrvaneDlg()
{
    if (!m_destroyed)
        OnDestroy();
}

int COrvaneDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

bool COrvaneDlg::OnInitDialog()
{
    AttachControlWrappers();
    ConnectMessageMap();
    m_menu.Build();
    DescribeForAssistiveTools();
    setWindowIcon(QApplication::windowIcon());
    setWindowTitle(QString::fromStdString(m_app.m_app_title));
    LoadAppSettings();

    auto* language_box = m_controls.Get<CKRQCombo>(ControlId::kLanguageBox);
    language_box->clear();
    language_box->addItems({QStringLiteral("简体中文"), QStringLiteral("English")});
    language_box->SelectIndex(GetUiLanguage() == kLanguageChinese ? kLanguageItemChinese
                                                                  : kLanguageItemEnglish);

    m_tooltip.SetUp();
    InitParamEditLimits();
    for (const ControlId button : kTransferAndUpgradeButtons)
        EnableControl(button, false);
    m_controls.Get<CKRQRadio>(ControlId::kViewRadio3D)->setChecked(true);
    m_view3d.Init(m_controls.Find(ControlId::kViewHost), 0, 1.0);
    m_view3d.Update(0.0, 0.0, 0.0);
    m_iap.Init(this);
    m_link.SetObserver(this);
    m_timer_id = startTimer(kTimerPeriodMs, Qt::PreciseTimer);
    m_link.SetSendPeriod(m_app_settings.m_send_period);
    m_link.SetAutoStop(m_app_settings.m_autostop != 0);
    m_link.StartSender();
    CutToVisibleArea();
    // The window starts cut to its visible area and grows only when the
    // expert view was on.
    m_menu.RestoreChoices();
    // Enter and Escape are the dialog's wherever the focus is.
    qApp->installEventFilter(this);
    return true;
}

void COrvaneDlg::AttachControlWrappers()
{
    const DialogTemplate& dialog = MainDialogTemplate(GetUiLanguage());
    const QSize base = DialogBaseUnits(font());
    // One page holds the whole template, so the expert view can scroll it
    // without moving a single control out of it.
    m_page = new QWidget(this);
    const PixelRect page =
        DluToPixels(DluRect{0, 0, dialog.width, dialog.height}, base.width(), base.height());
    m_page->setGeometry(0, 0, page.width, page.height);
    for (const TemplateControl& control : dialog.controls) {
        QWidget* widget = CreateWrapped(control);
        const PixelRect place = DluToPixels(control.rect, base.width(), base.height());
        widget->setGeometry(place.x, place.y, place.width, place.height);
        if (control.id != kNoControlId) {
            m_controls.Add(control.id, widget);
            widget->setObjectName(QStringLiteral("control%1").arg(control.id));
        }
    }
    // Group frames stay behind the controls they hold and let clicks through.
    for (const auto& group : m_groups) {
        group->lower();
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_controls.Find(kVisibleAreaControl)->hide();
    m_expert_view.SetPage(m_page);
}

QWidget* COrvaneDlg::CreateWrapped(const TemplateControl& control)
{
    const QString caption = Utf8(control.caption);
    switch (WrapperFor(control)) {
    case WrapperClass::Prog:
        return Append(m_progs, m_page);
    case WrapperClass::Chan:
        return Append(m_chans, m_page);
    case WrapperClass::List:
        return Append(m_lists, m_page);
    case WrapperClass::Edit: {
        CKRQEdit* edit = Append(m_edits, m_page);
        edit->setText(caption);
        return edit;
    }
    case WrapperClass::Static: {
        CKRQStatic* label = Append(m_statics, m_page);
        label->setAlignment(StaticAlignment(control.style));
        ApplySunkenEdge(*label, control.style);
        label->SetText(caption);
        return label;
    }
    case WrapperClass::Combo: {
        CKRQCombo* box = Append(m_combos, m_page);
        for (const std::string_view item : InitialComboItems(control.id, GetUiLanguage()))
            box->addItem(Utf8(item));
        box->SelectIndex(-1);
        return box;
    }
    case WrapperClass::Button:
        SetWindowTextIfChanged(Append(m_buttons, m_page), caption);
        return m_buttons.back().get();
    case WrapperClass::Radio:
        SetWindowTextIfChanged(Append(m_radios, m_page), caption);
        return m_radios.back().get();
    case WrapperClass::Check:
        SetWindowTextIfChanged(Append(m_checks, m_page), caption);
        return m_checks.back().get();
    case WrapperClass::Group:
        SetWindowTextIfChanged(Append(m_groups, m_page), caption);
        return m_groups.back().get();
    case WrapperClass::None:
        break;
    }
    // Left to the toolkit: the 3D view's host, drawn into by the view itself.
    auto* plain = new QFrame(m_page);
    ApplySunkenEdge(*plain, control.style);
    return plain;
}

void COrvaneDlg::DescribeForAssistiveTools()
{
    const uint16_t language = GetUiLanguage();
    for (const TemplateControl& control : MainDialogTemplate(language).controls) {
        const std::string_view name = AccessibleName(control.id, language);
        QWidget* widget = m_controls.Find(control.id);
        if (name.empty() || widget == nullptr)
            continue;
        // A label's and a box's accessible name is what they show; the field
        // they stand for becomes their description.
        if (qobject_cast<QLabel*>(widget) != nullptr || qobject_cast<QComboBox*>(widget) != nullptr)
            widget->setAccessibleDescription(Utf8(name));
        else
            widget->setAccessibleName(Utf8(name));
    }
}

void COrvaneDlg::CutToVisibleArea()
{
    const QRect visible = m_controls.Find(kVisibleAreaControl)->geometry();
    setFixedSize(visible.width(), visible.bottom() + 1);
}

void COrvaneDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer_id)
        OnTimer();
    else
        QDialog::timerEvent(event);
}

void COrvaneDlg::OnTimer()
{
    m_link.TimerTick();
    m_reconnect.Logic().Tick();
    m_record_replay.Tick();
    if (!m_view_update_ticks.Tick())
        return;
    const TelemetryState& telemetry = m_record_replay.Shown();
    m_view3d.Update(telemetry.m_angle[0], telemetry.m_angle[1], telemetry.m_angle[2]);
}

bool COrvaneDlg::event(QEvent* event)
{
    if (event->type() == SerialPostedEventType()) {
        OnSerialEvent();
        return true;
    }
    if (event->type() == IapPostedEvent::Type()) {
        OnIapEvent(static_cast<IapPostedEvent*>(event)->Event());
        return true;
    }
    return QDialog::event(event);
}

bool COrvaneDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this)
        return false;
    return PreTranslateKey(static_cast<QKeyEvent*>(event));
}

// Enter sends the panel to the gimbal from anywhere in the window (when an
// upload may start); Escape never closes it.
bool COrvaneDlg::PreTranslateKey(QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        OnUploadParam();
        return true;
    }
    return key->key() == Qt::Key_Escape;
}

void COrvaneDlg::keyPressEvent(QKeyEvent* event)
{
    if (!PreTranslateKey(event))
        QDialog::keyPressEvent(event);
}

void COrvaneDlg::done(int result)
{
    if (!m_destroyed)
        OnDestroy();
    QDialog::done(result);
}

// The window closes: the settings are saved, the timer and the sender end.
// The port stays open until the dialog object goes.
void COrvaneDlg::OnDestroy()
{
    m_destroyed = true;
    qApp->removeEventFilter(this);
    SaveAppSettings();
    if (m_timer_id != 0)
        killTimer(m_timer_id);
    m_timer_id = 0;
    m_link.StopSender();
}

void COrvaneDlg::EnableControl(ControlId control, bool enabled)
{
    if (QWidget* widget = m_controls.Find(control))
        widget->setEnabled(enabled);
}

void COrvaneDlg::SetCaption(ControlId control, MessageId message)
{
    SetWindowTextIfChanged(m_controls.Find(control), QString::fromStdString(LoadMessage(message)));
}

void COrvaneDlg::ShowStatusText(const QColor& colour, const QString& text)
{
    if (auto* status = m_controls.Get<CKRQStatic>(ControlId::kStatusLine))
        status->SetText(colour, text);
}
