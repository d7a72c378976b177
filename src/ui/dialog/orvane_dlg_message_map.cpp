#include "ui/controls/ckrq_combo.h"
#include "ui/dialog/orvane_dlg.h"

#include <QAbstractButton>

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

// Every control the dialog answers, and the handler that answers it.
const std::vector<COrvaneDlg::MessageMapEntry>& COrvaneDlg::MessageMap()
{
    using N = Notification;
    static const std::vector<MessageMapEntry> kMap = {
        // The view selector only moves its check mark.
        {N::kClicked, {1115, 1116, 1117, 1118, 1119}, [](COrvaneDlg&, int) {}},
        // A parameter check box or box sends the whole panel at once.
        {N::kClicked,
         {1130, 1131, 1132, 1127, 1128, 1129, 1124, 1125, 1126},
         [](COrvaneDlg& d, int) { d.OnUploadParam(); }},
        {N::kDropDown, {1001}, [](COrvaneDlg& d, int) { d.OnPortDropDown(); }},
        {N::kSelChange, {1001}, [](COrvaneDlg& d, int) { d.OnPortSelChange(); }},
        {N::kSelChange, {1030}, [](COrvaneDlg& d, int) { d.OnLanguageSelected(); }},
        {N::kSelChange,
         {1009, 1003, 1070, 1092, 1004, 1063, 1174, 1175, 1176, 1177, 1178, 1005, 1006, 1085},
         [](COrvaneDlg& d, int) { d.OnUploadParam(); }},
        {N::kClicked, {1002}, [](COrvaneDlg& d, int) { d.OnStartStopDebug(); }},
        {N::kClicked, {1007}, [](COrvaneDlg& d, int) { d.OnUploadParam(); }},
        {N::kClicked, {1008}, [](COrvaneDlg& d, int) { d.OnDownloadParam(); }},
        {N::kClicked, {1010}, [](COrvaneDlg& d, int control) { d.OnCommandButton(control); }},
        // Calibrations, gimbal run and stop, camera and auxiliary outputs, tests.
        {N::kClicked,
         {1016, 1011, 1096, 1151, 1083, 1153, 1158, 1012, 1013, 1048, 1084,
          1086, 1087, 1020, 1017, 1112, 1144, 1061, 1107, 1139, 1029, 1122},
         [](COrvaneDlg& d, int control) { d.OnCommandButton(control); }},
        {N::kClicked, {1014}, [](COrvaneDlg& d, int) { d.OnOpenParam(); }},
        {N::kClicked, {1015}, [](COrvaneDlg& d, int) { d.OnSaveParam(); }},
        {N::kClicked, {1027}, [](COrvaneDlg& d, int) { d.OnOpenFirmware(); }},
        {N::kClicked, {1028}, [](COrvaneDlg& d, int) { d.OnUpgradeFirmware(); }},
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
