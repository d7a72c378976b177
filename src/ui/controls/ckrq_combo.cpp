#include "ui/controls/ckrq_combo.h"

#include <QWheelEvent>

CKRQCombo::CKRQCombo(QWidget* parent) : QComboBox(parent)
{
    // activated() comes with every choice of the user, the same item included,
    // and never with a selection made by code.
    connect(this, &QComboBox::activated, this, &CKRQCombo::OnSelChange);
}

void CKRQCombo::SelectIndex(int index)
{
    m_last_sel = index >= 0 && index < count() ? index : -1;
    setCurrentIndex(m_last_sel);
}

void CKRQCombo::showPopup()
{
    emit DropDown();
    QComboBox::showPopup();
}

void CKRQCombo::wheelEvent(QWheelEvent* event)
{
    // Taken and dropped: turning the wheel over the closed box must not
    // change a parameter by accident (the open list scrolls on its own).
    event->accept();
}

void CKRQCombo::OnSelChange()
{
    const int selection = currentIndex();
    if (selection == -1 || selection == m_last_sel) {
        return;
    }
    m_last_sel = selection;
    emit SelChange(selection);
}
