#include "ui/controls/ckrq_chan.h"

#include "app/text_contrast.h"
#include "ui/controls/dialog_font.h"
#include "ui/controls/offscreen_paint.h"
#include "ui/controls/system_colors.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace {
constexpr int kLabelCellHeight = 14;
} // namespace

CKRQChan::CKRQChan(QWidget* parent) : QFrame(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CKRQChan::SetLevels(std::span<const std::uint8_t, kChannelCount> levels)
{
    if (std::equal(levels.begin(), levels.end(), m_levels.begin())) {
        return;
    }
    std::copy(levels.begin(), levels.end(), m_levels.begin());
    update();
}

void CKRQChan::DrawChannel(QPainter& painter, const QRect& client, int channel) const
{
    // The bars are 95/1600 of the width; their centres split the width into
    // sixteen equal slots.
    const int width = client.width();
    const int bar_width = width * 95 / 1600;
    const int centre = ((2 * channel + 1) * width + 16) / 32;
    const int left = centre - bar_width / 2;
    const int filled = m_levels[channel] * bar_width / 100;

    FrameEdgeRect(painter, EdgeRect(left, 0, left + bar_width, client.height()),
                  SystemColor(*this, SystemColorId::ButtonShadow));
    FillEdgeRect(painter, EdgeRect(left, 0, left + filled, client.height()), DrawnColors::kGreen);

    const QString label = QStringLiteral("CH%1").arg(channel + 1, 2, 10, QLatin1Char('0'));
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = centre - metrics.horizontalAdvance(label) / 2;
    const int y = (client.height() - metrics.height()) / 2;
    const QPoint at(x, y + metrics.ascent());
    // Over the green level the label takes the colour that reads on green;
    // elsewhere the palette's text colour, light on a dark palette.
    const QRect level(left, 0, filled, client.height());
    painter.save();
    painter.setClipRegion(QRegion(client).subtracted(level));
    painter.drawText(at, label);
    painter.setClipRect(level);
    painter.setPen(FromRgb(TextColourOn(ToRgb(DrawnColors::kGreen))));
    painter.drawText(at, label);
    painter.restore();
}

const QFont& CKRQChan::LabelFont()
{
    // Fitting a font to the cell measures it several times: once per font.
    if (m_label_font_source != font()) {
        m_label_font_source = font();
        m_label_font = FontWithCellHeight(font(), kLabelCellHeight);
    }
    return m_label_font;
}

void CKRQChan::paintEvent(QPaintEvent*)
{
    PaintOffscreen(*this, contentsRect(), SystemColor(*this, SystemColorId::ButtonFace),
                   [this](QPainter& painter, const QRect& client) {
                       FillEdgeRect(painter, client, SystemColor(*this, SystemColorId::ButtonFace));
                       painter.setFont(LabelFont());
                       painter.setPen(SystemColor(*this, SystemColorId::WindowText));
                       for (int channel = 0; channel < kChannelCount; ++channel) {
                           DrawChannel(painter, client, channel);
                       }
                   });
    QPainter frame_painter(this);
    drawFrame(&frame_painter);
}
