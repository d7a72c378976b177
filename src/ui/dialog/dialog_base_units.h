#pragma once

#include <QFont>
#include <QSize>

// The font's dialog base units as the platform defines them: the average
// advance of the 52 letters A-Z and a-z (rounded), and the line height.
// One horizontal dialog unit is a quarter of the first, one vertical unit an
// eighth of the second.
QSize DialogBaseUnits(const QFont& font);
