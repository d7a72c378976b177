#pragma once

#include "params/edit_acceptance.h"

#include <QLineEdit>
#include <limits>

// An edit field that refuses, change by change, any text that is not a
// number of its kind within [m_min, m_max]. Every change counts: typed,
// pasted, dropped, undone or set by code. A refused change puts the last
// accepted text back and leaves the caret one place left of where the change
// left it. Kind and range apply from the next change on; the text shown is
// not re-checked when they change.
//
// textChanged() also reports the refused text just before it is taken back;
// read text() or AcceptedText() instead of relying on its argument.
class CKRQEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CKRQEdit(QWidget* parent = nullptr);

    bool IsAcceptable(const QString& text) const;
    const QString& AcceptedText() const { return m_accepted_text; }

    // Set by the parameter panel when it binds the field.
    EditKind m_kind = EditKind::None;
    double m_min = std::numeric_limits<double>::lowest();
    double m_max = std::numeric_limits<double>::max();

private:
    void OnTextChanged(const QString& text);

    QString m_accepted_text;
};
