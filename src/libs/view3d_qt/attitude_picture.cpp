#include "libs/view3d_qt/attitude_picture.h"

#include "libs/view3d/view_layout.h"
#include "libs/view3d_qt/gauge_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

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
    if (item.colour == item.colour_to && item.between.empty()) {
        return ToQColor(item.colour, item.opacity);
    }
    QLinearGradient gradient(ToQPoint(item.gradient_from), ToQPoint(item.gradient_to));
    gradient.setColorAt(0.0, ToQColor(item.colour, item.opacity));
    for (const ColourStop& stop : item.between) {
        gradient.setColorAt(stop.at, ToQColor(stop.colour, item.opacity));
    }
    gradient.setColorAt(1.0, ToQColor(item.colour_to, item.opacity));
    return gradient;
}

// A cosmetic pen is several times cheaper than a stroked outline.
QPen SeamPen(const QBrush& brush)
{
    QPen pen(brush, 0.0);
    pen.setCosmetic(true);
    return pen;
}

// Painted with antialiasing on. An opaque face is filled without it, then
// its outline is drawn antialiased in its own brush: the edges look as smooth as an antialiased
// fill, neighbouring faces meet without seams, and the fill costs a third.
// An antialiased fill of a large face also makes Qt hand its pixel runs to
// the global thread pool, whose wake-ups cost more than the work.
void PaintItem(QPainter& painter, const DrawItem& item, QPolygonF& polygon)
{
    if (item.line_width > 0.0) {
        painter.setPen(
            QPen(ToQColor(item.colour, item.opacity), item.line_width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(ToQPoint(item.points[0]), ToQPoint(item.points[1]));
        return;
    }
    polygon.resize(static_cast<qsizetype>(item.points.size()));
    std::ranges::transform(item.points, polygon.begin(), ToQPoint);
    const QBrush brush = FaceBrush(item);
    const bool opaque = item.opacity >= 1.0;
    painter.setRenderHint(QPainter::Antialiasing, !opaque);
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawPolygon(polygon);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (opaque) {
        painter.setPen(SeamPen(brush));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(polygon);
    }
}

void PaintItems(QPainter& painter, const std::vector<DrawItem>& items)
{
    QPolygonF polygon;
    for (const DrawItem& item : items) {
        PaintItem(painter, item, polygon);
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
        m_pointers.Paint(painter, gauge, layout.gauges[static_cast<int>(gauge)], attitude);
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
    // Opaque, so each paint starts with a plain copy rather than a blend.
    m_backdrop = QImage(pixels, QImage::Format_RGB32);
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
