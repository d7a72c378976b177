#pragma once

#include <QString>

class QWidget;

// Replaces the text a control shows (a label's text, a button's caption, an
// edit field's content, a group box's title, a window's caption) only when
// it differs exactly from `text`, so an unchanged text causes no repaint and
// no change notification. Returns whether the text was replaced.
bool SetWindowTextIfChanged(QWidget* widget, const QString& text);

// The text SetWindowTextIfChanged compares with.
QString WindowText(const QWidget* widget);
