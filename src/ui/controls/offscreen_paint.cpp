#include "ui/controls/offscreen_paint.h"

#include <QColor>
#include <QPainter>
#include <QWidget>

void PaintOffscreen(QWidget& widget, const QRect& client, const QColor& margin,
                    const std::function<void(QPainter& painter, const QRect& client)>& draw)
{
    QPainter painter(&widget);
    if (client != widget.rect()) {
        painter.fillRect(widget.rect(), margin);
    }
    if (client.isEmpty()) {
        return;
    }
    painter.setClipRect(client);
    painter.translate(client.topLeft());
    draw(painter, QRect(QPoint(0, 0), client.size()));
}

QRect EdgeRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

void FillEdgeRect(QPainter& painter, const QRect& rect, const QColor& color)
{
    if (rect.width() > 0 && rect.height() > 0) {
        painter.fillRect(rect, color);
    }
}

void FrameEdgeRect(QPainter& painter, const QRect& rect, const QColor& color)
{
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    const int right = rect.x() + rect.width() - 1;
    const int bottom = rect.y() + rect.height() - 1;
    painter.fillRect(QRect(rect.x(), rect.y(), rect.width(), 1), color);
    painter.fillRect(QRect(rect.x(), bottom, rect.width(), 1), color);
    painter.fillRect(QRect(rect.x(), rect.y(), 1, rect.height()), color);
    painter.fillRect(QRect(right, rect.y(), 1, rect.height()), color);
}
