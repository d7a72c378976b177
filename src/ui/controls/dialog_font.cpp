#include "ui/controls/dialog_font.h"

#include <QFontMetrics>
#include <QStringList>

QFont DialogFont()
{
    static const bool substituted = [] {
        const QStringList monospace = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                                       QStringLiteral("Monospace")};
        QFont::insertSubstitutions(QStringLiteral("Consolas"), monospace);
        return true;
    }();
    (void)substituted;
    QFont font("Consolas", 11);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont FontWithCellHeight(QFont font, int cell_pixels)
{
    // The em size is smaller than the line height; step down from the cell
    // height until the line fits.
    for (int size = cell_pixels; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cell_pixels) {
            break;
        }
    }
    return font;
}
