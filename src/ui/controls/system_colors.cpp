#include "ui/controls/system_colors.h"

#include <QPalette>
#include <QWidget>

QColor SystemColor(const QWidget& widget, SystemColorId id)
{
    static constexpr QPalette::ColorRole kRoles[] = {QPalette::Button, QPalette::WindowText, QPalette::Dark};
    return widget.palette().color(QPalette::Active, kRoles[static_cast<int>(id)]);
}

Rgb ToRgb(const QColor& colour)
{
    return Rgb{static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
               static_cast<uint8_t>(colour.blue())};
}

QColor FromRgb(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}
