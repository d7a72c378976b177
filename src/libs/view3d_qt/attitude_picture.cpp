#include "libs/view3d_qt/attitude_picture.h"

#include "libs/view3d/view_layout.h"
#include "libs/view3d_qt/gauge_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace {

const QColor kBackgroundTop(246, 248, 251);
const QColor kBackgroundBottom(219, 225, 232);

QColor ToQColor(SurfaceColour colour, double opacity = 1.0)
{
    QColor result(colour.r, colour.g, colour.b);
    result.setAlphaF(static_cast<float>(opacity));
    return result;
}

QPointF ToQPoint(Point2 point)
{
    return {point.x, point.y};
}

QBrush FaceBrush(const DrawItem& item)
{
    if (item.colour == item.colour_to) {
        return ToQColor(item.colour, item.opacity);
    }
    QLinearGradient gradient(ToQPoint(item.gradient_from), ToQPoint(item.gradient_to));
    gradient.setColorAt(0.0, ToQColor(item.colour, item.opacity));
    gradient.setColorAt(1.0, ToQColor(item.colour_to, item.opacity));
    return gradient;
}

// Opaque faces get a one-pixel outline of their own colour, so the
// antialiased edges of neighbouring faces leave no light seams between them.
// A cosmetic pen is several times cheaper than a stroked outline.
QPen SeamPen(const DrawItem& item)
{
    const SurfaceColour middle{static_cast<std::uint8_t>((item.colour.r + item.colour_to.r) / 2),
                               static_cast<std::uint8_t>((item.colour.g + item.colour_to.g) / 2),
                               static_cast<std::uint8_t>((item.colour.b + item.colour_to.b) / 2)};
    QPen pen(ToQColor(middle), 0.0);
    pen.setCosmetic(true);
    return pen;
}

void PaintItem(QPainter& painter, const DrawItem& item)
{
    if (item.line_width > 0.0) {
        painter.setPen(
            QPen(ToQColor(item.colour, item.opacity), item.line_width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(ToQPoint(item.points[0]), ToQPoint(item.points[1]));
        return;
    }
    QPolygonF polygon;
    for (const Point2& point : item.points) {
        polygon << ToQPoint(point);
    }
    const QBrush brush = FaceBrush(item);
    painter.setBrush(brush);
    painter.setPen(item.opacity < 1.0 ? QPen(Qt::NoPen) : SeamPen(item));
    painter.drawPolygon(polygon);
}

void PaintItems(QPainter& painter, const std::vector<DrawItem>& items)
{
    for (const DrawItem& item : items) {
        PaintItem(painter, item);
    }
}

void PaintBackground(QPainter& painter, QSizeF size)
{
    QLinearGradient gradient(0.0, 0.0, 0.0, size.height());
    gradient.setColorAt(0.0, kBackgroundTop);
    gradient.setColorAt(1.0, kBackgroundBottom);
    painter.fillRect(QRectF(QPointF(0, 0), size), gradient);
}

} // namespace

AttitudePicture::AttitudePicture(ModelVariant variant, double zoom)
    : m_mesh(BuildGimbalModel(variant)), m_variant(variant), m_zoom(zoom)
{
}

void AttitudePicture::Paint(QPainter& painter, QSizeF size, const Attitude& attitude)
{
    painter.save();
    painter.drawImage(QPointF(0, 0), Backdrop(size, painter.device()->devicePixelRatioF()));
    painter.setRenderHint(QPainter::Antialiasing);
    const Scene scene = BuildScene(m_mesh, Request(size, attitude));
    PaintItems(painter, scene.heading);
    PaintItems(painter, scene.solids);
    const ViewLayout layout = LayoutView(size.width(), size.height());
    for (const Gauge gauge : kGauges) {
        PaintGaugePointer(painter, gauge, layout.gauges[static_cast<int>(gauge)], attitude);
    }
    painter.restore();
}

SceneRequest AttitudePicture::Request(QSizeF size, const Attitude& attitude) const
{
    return {.variant = m_variant,
            .attitude = attitude,
            .viewport = LayoutView(size.width(), size.height()).model,
            .zoom = m_zoom};
}

const QImage& AttitudePicture::Backdrop(QSizeF size, double ratio)
{
    const QSize pixels = (size * ratio).toSize();
    if (m_backdrop.size() == pixels && m_backdrop.devicePixelRatio() == ratio) {
        return m_backdrop;
    }
    m_backdrop = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_backdrop.setDevicePixelRatio(ratio);
    QPainter painter(&m_backdrop);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintBackground(painter, size);
    PaintItems(painter, BuildScene(m_mesh, Request(size, {})).ground);
    const ViewLayout layout = LayoutView(size.width(), size.height());
    for (const Gauge gauge : kGauges) {
        PaintGaugeFace(painter, gauge, layout.gauges[static_cast<int>(gauge)]);
    }
    return m_backdrop;
}
