#include "ui/views/strip_chart.h"

#include "app/format_text.h"
#include "plotting/axis_scale.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Roll, pitch and yaw keep the colours of the window's 3D view axes; the
// channel strip's two further curves follow.
const QColor kCurveColours[] = {QColor(220, 30, 30), QColor(20, 150, 40), QColor(30, 60, 220),
                                QColor(230, 140, 0), QColor(140, 40, 170)};
constexpr int kValueTicks = 4;
constexpr int kTimeTicks = 6;
constexpr double kLeftMargin = 52;
constexpr double kTopMargin = 18;
constexpr double kRightMargin = 6;
constexpr double kBottomMargin = 4;
constexpr double kTimeLabelHeight = 14;

// The value of a channel at `seconds`: the last sample at or before it.
std::optional<float> ValueAt(const PlotHistory& history, size_t channel, double seconds)
{
    const size_t after = history.LowerBound(seconds);
    if (after < history.Size() && history.Time(after) == seconds)
        return history.Value(channel, after);
    if (after == 0)
        return std::nullopt;
    return history.Value(channel, after - 1);
}

} // namespace

StripChart::StripChart(const PlotHistory& history, size_t strip, QWidget* parent)
    : QWidget(parent), m_history(history), m_strip(PlotStrips()[strip]),
      m_first_channel(FirstChannelOf(strip)), m_shown(m_strip.m_curves.size(), false),
      m_spans(m_strip.m_curves.size())
{
    setMouseTracking(true);
    setMinimumHeight(90);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QString::fromStdString(m_strip.m_title));
}

void StripChart::SetShownCurves(std::vector<bool> shown)
{
    m_shown = std::move(shown);
    m_shown.resize(m_strip.m_curves.size(), false);
    m_backdrop_stale = true;
}

void StripChart::SetScale(const StripScale& scale)
{
    m_scale = scale;
}

void StripChart::SetTimeRange(double from, double to)
{
    m_from = from;
    m_to = std::max(to, from + 1e-3);
}

void StripChart::SetCursor(std::optional<double> seconds)
{
    m_cursor = seconds;
}

void StripChart::SetTimeLabels(bool shown)
{
    if (shown != m_time_labels)
        m_backdrop_stale = true;
    m_time_labels = shown;
}

bool StripChart::ShowsAnyCurve() const
{
    return std::find(m_shown.begin(), m_shown.end(), true) != m_shown.end();
}

QRectF StripChart::PlotArea() const
{
    const double bottom = kBottomMargin + (m_time_labels ? kTimeLabelHeight : 0);
    return QRectF(kLeftMargin, kTopMargin, width() - kLeftMargin - kRightMargin,
                  height() - kTopMargin - bottom);
}

double StripChart::TimeAt(double x) const
{
    const QRectF area = PlotArea();
    return m_from + (x - area.left()) / area.width() * (m_to - m_from);
}

void StripChart::DecimateShownCurves(int columns)
{
    for (size_t curve = 0; curve < m_spans.size(); ++curve) {
        m_spans[curve].clear();
        if (m_shown[curve])
            DecimateMinMax(m_history, m_first_channel + curve, m_from, m_to, columns, m_spans[curve]);
    }
}

AxisScale StripChart::ValueAxis()
{
    if (!m_scale.m_auto)
        return {m_scale.m_min, m_scale.m_max, RoundAxis(m_scale.m_min, m_scale.m_max, kValueTicks).m_step};
    double low = INFINITY;
    double high = -INFINITY;
    for (const std::vector<ColumnSpan>& spans : m_spans) {
        for (const ColumnSpan& span : spans) {
            low = std::min<double>(low, span.m_min);
            high = std::max<double>(high, span.m_max);
        }
    }
    return std::isfinite(low) ? RoundAxis(low, high, kValueTicks) : AxisScale{-1, 1, 1};
}

void StripChart::PaintValueGrid(QPainter& painter, const QRectF& area, const AxisScale& axis) const
{
    const double value_to_y = area.height() / (axis.m_high - axis.m_low);
    for (double value = axis.m_low; value <= axis.m_high + axis.m_step / 2; value += axis.m_step) {
        const double y = area.bottom() - (value - axis.m_low) * value_to_y;
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            QRectF(0, y - 8, kLeftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
            QString::fromStdString(MachineReal(std::abs(value) < axis.m_step / 2 ? 0.0 : value)));
    }
}

// The time grid moves with every new sample, so it is drawn on each repaint.
void StripChart::PaintTimeGrid(QPainter& painter, const QRectF& area) const
{
    const AxisScale time_axis = RoundAxis(m_from, m_to, kTimeTicks);
    for (double t = time_axis.m_low; t <= m_to; t += time_axis.m_step) {
        if (t < m_from)
            continue;
        const double x = area.left() + (t - m_from) / (m_to - m_from) * area.width();
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        if (m_time_labels) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRectF(x - 40, area.bottom() + 1, 80, kTimeLabelHeight), Qt::AlignCenter,
                             QString::fromStdString(FormatText("%g s", t)));
        }
    }
}

void StripChart::PaintCurves(QPainter& painter, const QRectF& area, const AxisScale& axis)
{
    const double value_to_y = area.height() / (axis.m_high - axis.m_low);
    const auto y_of = [&](float value) {
        return std::clamp(area.bottom() - (value - axis.m_low) * value_to_y, area.top() - 1,
                          area.bottom() + 1);
    };
    painter.setClipRect(area);
    for (size_t curve = 0; curve < m_spans.size(); ++curve) {
        m_points.clear();
        for (const ColumnSpan& span : m_spans[curve]) {
            const double x = area.left() + span.m_column + 0.5;
            for (const float value : {span.m_first, span.m_min, span.m_max, span.m_last}) {
                // A point equal to the one before adds no pixel, only stroking work.
                const QPointF point(x, y_of(value));
                if (m_points.empty() || m_points.back() != point)
                    m_points.push_back(point);
            }
        }
        painter.setPen(QPen(kCurveColours[curve % std::size(kCurveColours)], 1));
        painter.drawPolyline(m_points.data(), static_cast<int>(m_points.size()));
    }
    if (m_cursor) {
        const double x = area.left() + (*m_cursor - m_from) / (m_to - m_from) * area.width();
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    painter.setClipping(false);
}

// Title and unit, then each shown curve in its colour, with its value under
// the cursor when there is one.
void StripChart::PaintLegend(QPainter& painter) const
{
    QString text = QString::fromStdString(m_strip.m_title);
    if (!m_strip.m_unit.empty())
        text += QStringLiteral(" [%1]").arg(QString::fromStdString(m_strip.m_unit));
    if (m_cursor)
        text += QString::fromStdString(FormatText("  t=%.2f s", *m_cursor));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPointF(kLeftMargin, 13), text);
    double x = kLeftMargin + painter.fontMetrics().horizontalAdvance(text) + 12;
    for (size_t curve = 0; curve < m_shown.size(); ++curve) {
        if (!m_shown[curve])
            continue;
        QString label = QString::fromStdString(m_strip.m_curves[curve].m_label);
        if (m_cursor) {
            if (const std::optional<float> value = ValueAt(m_history, m_first_channel + curve, *m_cursor))
                label += QString::fromStdString(FormatText(" %.3g", *value));
        }
        painter.setPen(kCurveColours[curve % std::size(kCurveColours)]);
        painter.drawText(QPointF(x, 13), label);
        x += painter.fontMetrics().horizontalAdvance(label) + 10;
    }
}

// The background, the value grid with its labels and, without a cursor, the
// legend, for the current size and value axis.
const QPixmap& StripChart::Backdrop(const QRectF& area, const AxisScale& axis)
{
    const bool with_legend = !m_cursor.has_value();
    if (!m_backdrop_stale && axis == m_backdrop_axis && with_legend == m_backdrop_has_legend)
        return m_backdrop;
    const qreal ratio = devicePixelRatioF();
    m_backdrop = QPixmap(size() * ratio);
    m_backdrop.setDevicePixelRatio(ratio);
    m_backdrop.fill(Qt::white);
    QPainter painter(&m_backdrop);
    painter.setFont(font());
    PaintValueGrid(painter, area, axis);
    if (with_legend)
        PaintLegend(painter);
    m_backdrop_stale = false;
    m_backdrop_axis = axis;
    m_backdrop_has_legend = with_legend;
    return m_backdrop;
}

void StripChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF area = PlotArea();
    if (area.width() < 2 || area.height() < 2) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    DecimateShownCurves(static_cast<int>(area.width()));
    const AxisScale axis = ValueAxis();
    painter.drawPixmap(0, 0, Backdrop(area, axis));
    PaintTimeGrid(painter, area);
    PaintCurves(painter, area, axis);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(area);
    if (m_cursor)
        PaintLegend(painter);
}

void StripChart::resizeEvent(QResizeEvent*)
{
    m_backdrop_stale = true;
}

// Labels follow the widget's font and colours.
void StripChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        m_backdrop_stale = true;
    QWidget::changeEvent(event);
}

void StripChart::mouseMoveEvent(QMouseEvent* event)
{
    const QRectF area = PlotArea();
    const double x = std::clamp(event->position().x(), area.left(), area.right());
    emit CursorMoved(TimeAt(x));
}

void StripChart::leaveEvent(QEvent*)
{
    emit CursorMoved(std::nullopt);
}
