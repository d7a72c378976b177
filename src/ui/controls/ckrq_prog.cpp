#include "ui/controls/ckrq_prog.h"

#include "ui/controls/offscreen_paint.h"
#include "ui/controls/system_colors.h"

#include <QPainter>

CKRQProg::CKRQProg(QWidget* parent) : QFrame(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CKRQProg::SetPos(std::int32_t pos, const QColor& color)
{
    if (pos == m_pos && color == m_bar_color) {
        return;
    }
    m_pos = pos;
    m_bar_color = color;
    update();
}

void CKRQProg::paintEvent(QPaintEvent*)
{
    PaintOffscreen(*this, contentsRect(), SystemColor(*this, SystemColorId::ButtonFace),
                   [this](QPainter& painter, const QRect& client) {
                       FillEdgeRect(painter, client, SystemColor(*this, SystemColorId::ButtonFace));
                       // 64-bit product: any 32-bit level times the width stays exact.
                       const auto filled = static_cast<int>(std::int64_t{client.width()} * m_pos / 100);
                       FillEdgeRect(painter, EdgeRect(0, 0, filled, client.height()), m_bar_color);
                   });
    QPainter frame_painter(this);
    drawFrame(&frame_painter);
}
