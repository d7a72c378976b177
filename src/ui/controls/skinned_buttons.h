#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

// The dialog's buttons keep the platform's own look and behaviour (hover,
// pressed, disabled and checked states drawn by the style) and take the
// dialog's font from their parent. The classes only give each kind of button
// its own type name, so the dialog can keep one list per kind.

class CKRQButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
};

class CKRQCheck : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
};

class CKRQRadio : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
};

class CKRQGroup : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
};
