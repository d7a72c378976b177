#include "ui/dialog/dialog_param_panel.h"

#include "ui/controls/ckrq_combo.h"
#include "ui/controls/ckrq_edit.h"
#include "ui/controls/control_map.h"
#include "ui/controls/skinned_buttons.h"
#include "ui/controls/window_text.h"

int DialogParamPanel::Selection(int control) const
{
    const CKRQCombo* box = m_controls.Get<CKRQCombo>(control);
    return box != nullptr ? box->currentIndex() : -1;
}

int DialogParamPanel::ItemCount(int control) const
{
    const CKRQCombo* box = m_controls.Get<CKRQCombo>(control);
    return box != nullptr ? box->count() : 0;
}

std::string DialogParamPanel::ItemText(int control, int index) const
{
    const CKRQCombo* box = m_controls.Get<CKRQCombo>(control);
    return box != nullptr ? box->itemText(index).toStdString() : std::string();
}

void DialogParamPanel::SelectIndex(int control, int index)
{
    if (CKRQCombo* box = m_controls.Get<CKRQCombo>(control))
        box->SelectIndex(index);
}

int DialogParamPanel::CheckState(int control) const
{
    const CKRQCheck* check = m_controls.Get<CKRQCheck>(control);
    return check != nullptr && check->isChecked() ? 1 : 0;
}

void DialogParamPanel::SetCheckState(int control, int state)
{
    // An automatic check box knows two states: any set value shows checked.
    if (CKRQCheck* check = m_controls.Get<CKRQCheck>(control))
        check->setChecked(state != 0);
}

std::string DialogParamPanel::Text(int control) const
{
    return WindowText(m_controls.Find(control)).toStdString();
}

void DialogParamPanel::SetTextIfChanged(int control, const std::string& text)
{
    // The edit field checks the new text like typed text and may refuse it.
    SetWindowTextIfChanged(m_controls.Find(control), QString::fromStdString(text));
}
