#pragma once

#include "protocol/rgb.h"

#include <QColor>

class QWidget;

// The platform colours the drawn controls use. They come from the widget's
// palette (active group), so a disabled or inactive control keeps its colours.
enum class SystemColorId {
    ButtonFace,   // background of every drawn control
    WindowText,   // default text colour
    ButtonShadow, // channel frames and grid lines
};

QColor SystemColor(const QWidget& widget, SystemColorId id);

// The toolkit's colour as the core's, and back.
Rgb ToRgb(const QColor& colour);
QColor FromRgb(Rgb colour);

// Fixed colours the dialog passes to the drawn controls.
namespace DrawnColors {
inline const QColor kBlack{0, 0, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kMagenta{255, 0, 255};
inline const QColor kGreen{6, 176, 37};
inline const QColor kBlue{0, 0, 255};
} // namespace DrawnColors
