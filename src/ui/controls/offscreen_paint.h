#pragma once

#include <QRect>
#include <functional>

class QColor;
class QPainter;
class QWidget;

// Paints the whole of `widget`: its margin outside `client` in `margin`,
// then `client` through `draw`, which sees the client's top-left corner as
// its origin and the client rectangle moved to (0, 0). Every pixel is
// painted, so the widget can be marked opaque and nothing behind it is
// painted in vain. The toolkit composes a window's paints off-screen and
// shows them in one flush, so no half-drawn state is ever seen.
void PaintOffscreen(QWidget& widget, const QRect& client, const QColor& margin,
                    const std::function<void(QPainter& painter, const QRect& client)>& draw);

// Rectangles given by their edges (left, top, right, bottom) cover the
// columns left to right - 1 and the rows top to bottom - 1; an empty or
// inverted one draws nothing.
QRect EdgeRect(int left, int top, int right, int bottom);

// Solid rectangle in one colour (outline and inside alike).
void FillEdgeRect(QPainter& painter, const QRect& rect, const QColor& color);

// One-pixel outline with a hollow inside.
void FrameEdgeRect(QPainter& painter, const QRect& rect, const QColor& color);
