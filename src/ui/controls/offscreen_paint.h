#pragma once

#include <QRect>
#include <functional>

class QColor;
class QPainter;
class QWidget;

// Composes the whole of `client` (a rectangle of `widget`) in an off-screen
// pixmap and copies it to the widget in one block, so a paint never shows a
// half-drawn state. `draw` sees the pixmap with its origin at the client's
// top-left corner and the client rectangle moved to (0, 0).
void PaintOffscreen(QWidget& widget, const QRect& client,
                    const std::function<void(QPainter& painter, const QRect& client)>& draw);

// Rectangles given by their edges (left, top, right, bottom) cover the
// columns left to right - 1 and the rows top to bottom - 1; an empty or
// inverted one draws nothing.
QRect EdgeRect(int left, int top, int right, int bottom);

// Solid rectangle in one colour (outline and inside alike).
void FillEdgeRect(QPainter& painter, const QRect& rect, const QColor& color);

// One-pixel outline with a hollow inside.
void FrameEdgeRect(QPainter& painter, const QRect& rect, const QColor& color);
