#pragma once

#include <QFont>

// The dialog's font: "Consolas" at 11 points. Where Consolas is not
// installed (every Linux system) a monospace font of the system takes its
// place; Chinese captions fall back to a CJK font through fontconfig.
QFont DialogFont();

// `font` with its pixel size chosen so that a text line (ascent + descent)
// is at most `cell_pixels` high: the platform's "cell height" of a font.
QFont FontWithCellHeight(QFont font, int cell_pixels);
