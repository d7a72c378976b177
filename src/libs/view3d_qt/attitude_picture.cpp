#include "libs/view3d_qt/attitude_picture.h"

#include "libs/view3d/scene.h"
#include "libs/view3d/view_layout.h"
#include "libs/view3d_qt/gauge_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace {

const QColor kBackgroundTop(246, 248, 251);
const QColor kBackgroundBottom(219, 225, 232);

// Faces get an outline of their own colour this wide, so antialiased edges
// of neighbouring faces leave no light seams between them.
constexpr double kSeamWidth = 0.8;

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

void PaintItem(QPainter& painter, const DrawItem& item)
{
    if (item.line_width > 0.0) {
        painter.setPen(
            QPen(ToQColor(item.colour, item.opacity), item.line_width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(ToQPoint(item.points[0]), ToQPoint(item.points[1]));
        return;
    }
    QPolygonF polygon;
    for (const Point2& point : item.points) {
        polygon << ToQPoint(point);
    }
    const QBrush brush = FaceBrush(item);
    painter.setBrush(brush);
    painter.setPen(item.opacity < 1.0 ? QPen(Qt::NoPen)
                                      : QPen(brush, kSeamWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPolygon(polygon);
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

void AttitudePicture::Paint(QPainter& painter, QSizeF size, const Attitude& attitude) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    PaintBackground(painter, size);
    const ViewLayout layout = LayoutView(size.width(), size.height());
    const Scene scene = BuildScene(
        m_mesh, {.variant = m_variant, .attitude = attitude, .viewport = layout.model, .zoom = m_zoom});
    for (const auto* items : {&scene.ground, &scene.solids}) {
        for (const DrawItem& item : *items) {
            PaintItem(painter, item);
        }
    }
    for (const Gauge gauge : kGauges) {
        PaintGauge(painter, gauge, layout.gauges[static_cast<int>(gauge)], attitude);
    }
    painter.restore();
}
