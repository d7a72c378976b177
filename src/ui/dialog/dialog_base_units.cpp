#include "ui/dialog/dialog_base_units.h"

#include <QFontMetrics>
#include <QString>
#include <cmath>

QSize DialogBaseUnits(const QFont& font)
{
    static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetricsF metrics(font);
    const int average = static_cast<int>(std::lround(metrics.horizontalAdvance(kLetters) / kLetters.size()));
    return QSize(average, static_cast<int>(std::ceil(metrics.height())));
}
