#pragma once

#include <QComboBox>

// A drop-down list whose closed box ignores the mouse wheel and which tells
// the dialog about a user's choice (SelChange) only when it differs from the
// selection the dialog last heard of. Selecting from code goes through
// SelectIndex, which reports nothing.
class CKRQCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CKRQCombo(QWidget* parent = nullptr);

    // Selects item `index`, or clears the selection when it is not an item.
    void SelectIndex(int index);
    int LastSelection() const { return m_last_sel; }

    // Announces the opening of the list (DropDown) before it is shown, so its
    // items can be refreshed first.
    void showPopup() override;

signals:
    void SelChange(int index);
    void DropDown();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnSelChange();

    int m_last_sel = -1;
};
