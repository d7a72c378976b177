#include "ui/controls/ckrq_edit.h"

#include "ui/controls/window_text.h"

#include <algorithm>

CKRQEdit::CKRQEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &CKRQEdit::OnTextChanged);
}

bool CKRQEdit::IsAcceptable(const QString& text) const
{
    return ::IsAcceptable(m_kind, m_min, m_max, text.toStdWString());
}

void CKRQEdit::OnTextChanged(const QString& text)
{
    if (text == m_accepted_text) {
        return;
    }
    if (IsAcceptable(text)) {
        m_accepted_text = text;
        return;
    }
    // After typing, the caret stands behind the new character.
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    // Putting the text back emits textChanged again, which stops above.
    SetWindowTextIfChanged(this, m_accepted_text);
    setCursorPosition(std::max(start - 1, 0));
}
