#include "ui/controls/window_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// How to read and write the text of one kind of control.
struct TextAccess {
    QString (*read)(const QWidget&);
    void (*write)(QWidget&, const QString&);
};

template <typename Control, QString (Control::*Get)() const, void (Control::*Set)(const QString&)>
bool Probe(const QWidget* widget, TextAccess& access)
{
    if (qobject_cast<const Control*>(widget) == nullptr) {
        return false;
    }
    access.read = [](const QWidget& w) { return (static_cast<const Control&>(w).*Get)(); };
    access.write = [](QWidget& w, const QString& text) { (static_cast<Control&>(w).*Set)(text); };
    return true;
}

// Known kinds first; any other widget shows its text as its window title.
TextAccess AccessFor(const QWidget* widget)
{
    using ProbeFunction = bool (*)(const QWidget*, TextAccess&);
    static constexpr ProbeFunction kProbes[] = {
        &Probe<QLabel, &QLabel::text, &QLabel::setText>,
        &Probe<QAbstractButton, &QAbstractButton::text, &QAbstractButton::setText>,
        &Probe<QLineEdit, &QLineEdit::text, &QLineEdit::setText>,
        &Probe<QGroupBox, &QGroupBox::title, &QGroupBox::setTitle>,
        &Probe<QWidget, &QWidget::windowTitle, &QWidget::setWindowTitle>,
    };
    TextAccess access{};
    for (const ProbeFunction probe : kProbes) {
        if (probe(widget, access)) {
            break;
        }
    }
    return access;
}

} // namespace

QString WindowText(const QWidget* widget)
{
    return widget == nullptr ? QString() : AccessFor(widget).read(*widget);
}

bool SetWindowTextIfChanged(QWidget* widget, const QString& text)
{
    if (widget == nullptr) {
        return false;
    }
    const TextAccess access = AccessFor(widget);
    if (access.read(*widget) == text) {
        return false;
    }
    access.write(*widget, text);
    return true;
}
