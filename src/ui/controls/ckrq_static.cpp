#include "ui/controls/ckrq_static.h"

#include "app/text_contrast.h"
#include "ui/controls/offscreen_paint.h"
#include "ui/controls/system_colors.h"

#include <QFontMetrics>
#include <QPainter>

CKRQStatic::CKRQStatic(QWidget* parent) : CKRQStatic(QString(), parent) {}

CKRQStatic::CKRQStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    // Every pixel is painted here: what lies behind is never painted in vain.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CKRQStatic::SetText(const QColor& color, const QString& text)
{
    if (color == m_text_color && text == this->text()) {
        return;
    }
    m_text_color = color;
    setText(text);
    update();
}

void CKRQStatic::SetText(const QString& text)
{
    SetText(SystemColor(*this, SystemColorId::WindowText), text);
}

QColor CKRQStatic::ShownColor() const
{
    const Rgb shown =
        ReadableTextColour(ToRgb(m_text_color), ToRgb(SystemColor(*this, SystemColorId::ButtonFace)),
                           ToRgb(SystemColor(*this, SystemColorId::WindowText)));
    return FromRgb(shown);
}

int CKRQStatic::TextLeft(int client_width, int text_width) const
{
    if (alignment() & Qt::AlignHCenter) {
        return (client_width - text_width) / 2;
    }
    if (alignment() & Qt::AlignRight) {
        return client_width - text_width;
    }
    return 0;
}

void CKRQStatic::paintEvent(QPaintEvent*)
{
    PaintOffscreen(*this, contentsRect(), SystemColor(*this, SystemColorId::ButtonFace),
                   [this](QPainter& painter, const QRect& client) {
                       FillEdgeRect(painter, client, SystemColor(*this, SystemColorId::ButtonFace));
                       painter.setFont(font());
                       painter.setPen(ShownColor());
                       const QFontMetrics metrics = painter.fontMetrics();
                       const QString shown = text();
                       const int x = TextLeft(client.width(), metrics.horizontalAdvance(shown));
                       const int y = (client.height() - metrics.height()) / 2;
                       painter.drawText(QPoint(x, y + metrics.ascent()), shown);
                   });
    QPainter frame_painter(this);
    drawFrame(&frame_painter);
}
