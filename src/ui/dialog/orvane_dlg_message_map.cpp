#include "params/panel_binding.h"
#include "protocol/command_table.h"
#include "resources/control_ids.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/dialog/orvane_dlg.h"

#include <QAbstractButton>
#include <algorithm>

// What a control tells the dialog.
enum class Notification {
    kClicked,   // a button, check box or radio button was clicked
    kSelChange, // a combo box passed on a new selection
    kDropDown,  // a combo box is about to open its list
};

struct COrvaneDlg::MessageMapEntry {
    Notification notification;
    std::vector<int> controls;
    void (*handler)(COrvaneDlg& dialog, int control);
};

namespace {

// The bound controls of the given kinds, in the binding table's order.
std::vector<int> BoundControls(std::initializer_list<PanelControlType> types)
{
    std::vector<int> controls;
    for (const PanelBinding& binding : PanelBindings()) {
        if (std::find(types.begin(), types.end(), binding.type) != types.end())
            controls.push_back(binding.control);
    }
    return controls;
}

std::vector<int> CommandButtons()
{
    std::vector<int> controls;
    for (const CommandRow& command : Commands())
        controls.push_back(command.control_id);
    return controls;
}

std::vector<int> ViewRadios()
{
    std::vector<int> controls;
    for (int id = Id(ControlId::kViewRadio3D); id <= Id(ControlId::kViewRadioLast); ++id)
        controls.push_back(id);
    return controls;
}

} // namespace

// Every control the dialog answers, and the handler that answers it. The
// parameter and command rows come from the binding and command tables.
const std::vector<COrvaneDlg::MessageMapEntry>& COrvaneDlg::MessageMap()
{
    using N = Notification;
    using C = ControlId;
    static const std::vector<MessageMapEntry> kMap = {
        // The view selector only moves its check mark.
        {N::kClicked, ViewRadios(), [](COrvaneDlg&, int) {}},
        // A parameter check box or box sends the whole panel at once.
        {N::kClicked, BoundControls({PanelControlType::Check}),
         [](COrvaneDlg& d, int) { d.OnUploadParam(); }},
        {N::kDropDown, {Id(C::kPortBox)}, [](COrvaneDlg& d, int) { d.OnPortDropDown(); }},
        {N::kSelChange, {Id(C::kPortBox)}, [](COrvaneDlg& d, int) { d.OnPortSelChange(); }},
        {N::kSelChange, {Id(C::kLanguageBox)}, [](COrvaneDlg& d, int) { d.OnLanguageSelected(); }},
        {N::kSelChange, BoundControls({PanelControlType::ComboByIndex, PanelControlType::ComboByProductCode}),
         [](COrvaneDlg& d, int) { d.OnUploadParam(); }},
        {N::kClicked, {Id(C::kLinkButton)}, [](COrvaneDlg& d, int) { d.OnStartStopDebug(); }},
        {N::kClicked, {Id(C::kUploadButton)}, [](COrvaneDlg& d, int) { d.OnUploadParam(); }},
        {N::kClicked, {Id(C::kDownloadButton)}, [](COrvaneDlg& d, int) { d.OnDownloadParam(); }},
        // Save to flash, calibrations, gimbal run and stop, camera and
        // auxiliary outputs, tests.
        {N::kClicked, CommandButtons(), [](COrvaneDlg& d, int control) { d.OnCommandButton(control); }},
        {N::kClicked, {Id(C::kOpenParamButton)}, [](COrvaneDlg& d, int) { d.OnOpenParam(); }},
        {N::kClicked, {Id(C::kSaveParamButton)}, [](COrvaneDlg& d, int) { d.OnSaveParam(); }},
        {N::kClicked, {Id(C::kOpenFirmwareButton)}, [](COrvaneDlg& d, int) { d.OnOpenFirmware(); }},
        {N::kClicked, {Id(C::kUpgradeButton)}, [](COrvaneDlg& d, int) { d.OnUpgradeFirmware(); }},
    };
    return kMap;
}

void COrvaneDlg::ConnectMessageMap()
{
    for (const MessageMapEntry& entry : MessageMap()) {
        for (const int control : entry.controls) {
            auto handler = [this, control, run = entry.handler] { run(*this, control); };
            QWidget* widget = m_controls.Find(control);
            if (entry.notification == Notification::kClicked)
                connect(qobject_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this, handler);
            else if (entry.notification == Notification::kSelChange)
                connect(qobject_cast<CKRQCombo*>(widget), &CKRQCombo::SelChange, this, handler);
            else
                connect(qobject_cast<CKRQCombo*>(widget), &CKRQCombo::DropDown, this, handler);
        }
    }
}
