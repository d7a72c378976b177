#include "ui/controls/system_colors.h"

#include <QPalette>
#include <QWidget>

QColor SystemColor(const QWidget& widget, SystemColorId id)
{
    static constexpr QPalette::ColorRole kRoles[] = {QPalette::Button, QPalette::WindowText, QPalette::Dark};
    return widget.palette().color(QPalette::Active, kRoles[static_cast<int>(id)]);
}
