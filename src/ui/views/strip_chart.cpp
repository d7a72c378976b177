#include "ui/views/strip_chart.h"

#include "app/format_text.h"
#include "plotting/axis_scale.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <span>

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
constexpr double kTimeLabelHalfWidth = 40;

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
      m_curves(m_strip.m_curves.size())
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
    m_stale = true;
}

void StripChart::SetScale(const StripScale& scale)
{
    m_scale = scale;
    m_stale = true;
}

void StripChart::SetTimeWindow(double end, double seconds)
{
    m_end = end;
    m_seconds = std::max(seconds, 1e-3);
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    const ColumnWindow shown = m_columns;
    const AxisScale shown_axis = m_axis;
    const bool whole = m_stale || m_cursor.has_value();
    RefreshColumns();
    const int64_t shift = m_columns.m_first - shown.m_first;
    const bool same_grid = m_columns.m_seconds_per_column == shown.m_seconds_per_column &&
                           m_columns.m_count == shown.m_count && m_axis == shown_axis;
    // Within a column nothing moves: the newest column fills in when the
    // axis next moves on, at most a column's time later.
    if (whole || !same_grid || shift < 0 || shift >= m_columns.m_count)
        update();
    else if (shift > 0)
        ScrollColumns(static_cast<int>(shift));
}

void StripChart::SetCursor(std::optional<double> seconds)
{
    m_cursor = seconds;
}

void StripChart::SetTimeLabels(bool shown)
{
    if (shown != m_time_labels) {
        m_backdrop_stale = true;
        m_stale = true;
    }
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
    return m_columns.From() + (x - PlotArea().left()) * m_columns.m_seconds_per_column;
}

// One pixel column per column of the time axis.
void StripChart::RefreshColumns()
{
    m_columns = ColumnWindow::Ending(m_end, m_seconds, std::max(1, static_cast<int>(PlotArea().width())));
    for (size_t curve = 0; curve < m_curves.size(); ++curve) {
        if (m_shown[curve])
            m_curves[curve].Update(m_history, m_first_channel + curve, m_columns);
        else
            m_curves[curve].Clear();
    }
    m_axis = ValueAxis();
    m_stale = false;
}

AxisScale StripChart::ValueAxis() const
{
    if (!m_scale.m_auto)
        return {m_scale.m_min, m_scale.m_max, RoundAxis(m_scale.m_min, m_scale.m_max, kValueTicks).m_step};
    double low = INFINITY;
    double high = -INFINITY;
    for (const RollingMinMax& curve : m_curves) {
        for (const ColumnSpan& span : curve.Spans()) {
            low = std::min<double>(low, span.m_min);
            high = std::max<double>(high, span.m_max);
        }
    }
    return std::isfinite(low) ? RoundAxis(low, high, kValueTicks) : AxisScale{-1, 1, 1};
}

void StripChart::PaintValueGrid(QPainter& painter, const QRectF& area, const AxisScale& axis) const
{
    const double value_to_y = area.height() / (axis.m_high - axis.m_low);
    for (int tick = 0;; ++tick) {
        const double value = axis.m_low + tick * axis.m_step;
        if (value > axis.m_high + axis.m_step / 2)
            break;
        const double y = area.bottom() - (value - axis.m_low) * value_to_y;
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            QRectF(0, y - 8, kLeftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
            QString::fromStdString(MachineReal(std::abs(value) < axis.m_step / 2 ? 0.0 : value)));
    }
}

// The time grid moves with the time axis, so it is not part of the backdrop.
// Labels are laid out only where they are repainted: text is the dear part.
void StripChart::PaintTimeGrid(QPainter& painter, const QRectF& area, const QRegion& exposed) const
{
    const double from = m_columns.From();
    const double to = m_columns.To();
    const AxisScale time_axis = RoundAxis(from, to, kTimeTicks);
    for (int tick = 0;; ++tick) {
        const double t = time_axis.m_low + tick * time_axis.m_step;
        if (t > to)
            break;
        if (t < from)
            continue;
        const double x = area.left() + (t - from) / (to - from) * area.width();
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        const QRectF label(x - kTimeLabelHalfWidth, area.bottom() + 1, 2 * kTimeLabelHalfWidth,
                           kTimeLabelHeight);
        if (m_time_labels && exposed.intersects(label.toAlignedRect())) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(label, Qt::AlignCenter, QString::fromStdString(FormatText("%g s", t)));
        }
    }
}

// One curve through the columns `first` to `last`, from the span before them
// to the span after, so that the lines into and out of them are whole.
void StripChart::PaintCurveColumns(QPainter& painter, const QRectF& area, size_t curve, int64_t first,
                                   int64_t last)
{
    const double value_to_y = area.height() / (m_axis.m_high - m_axis.m_low);
    const auto y_of = [&](float value) {
        return std::clamp(area.bottom() - (value - m_axis.m_low) * value_to_y, area.top() - 1,
                          area.bottom() + 1);
    };
    const std::vector<ColumnSpan>& spans = m_curves[curve].Spans();
    const auto before = [](const ColumnSpan& span, int64_t column) { return span.m_column < column; };
    auto begin = std::lower_bound(spans.begin(), spans.end(), first, before);
    auto end = std::lower_bound(begin, spans.end(), last + 1, before);
    begin -= begin != spans.begin() ? 1 : 0;
    end += end != spans.end() ? 1 : 0;
    m_points.clear();
    for (const ColumnSpan& span : std::span(begin, end)) {
        const double x = area.left() + static_cast<double>(span.m_column - m_columns.m_first) + 0.5;
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

// The curves in the exposed parts of the plot area. A paint after a scroll
// exposes a few columns at each of several places; drawing only those keeps
// its cost to what changed.
void StripChart::PaintCurves(QPainter& painter, const QRectF& area, const QRegion& exposed)
{
    painter.setClipRect(area);
    const QRect plot = area.toAlignedRect();
    for (const QRect& part : exposed) {
        if (!part.intersects(plot))
            continue;
        const int64_t first = m_columns.m_first + (std::max(part.left(), plot.left()) - plot.left());
        const int64_t last = m_columns.m_first + (std::min(part.right(), plot.right()) - plot.left());
        for (size_t curve = 0; curve < m_curves.size(); ++curve)
            PaintCurveColumns(painter, area, curve, first, last);
    }
    if (m_cursor) {
        const double x = area.left() + (*m_cursor - m_columns.From()) / m_columns.m_seconds_per_column;
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

// The time axis moved on by `shift` columns: the pixels shift in the
// window's backing store, and only what changed is painted: the columns
// that came in, the one that was newest (it may have gained samples), and the
// time labels at both ends, which reach past the plot area and come and go.
void StripChart::ScrollColumns(int shift)
{
    const QRectF area = PlotArea();
    const int left = static_cast<int>(area.left());
    const int top = static_cast<int>(area.top());
    const int newest = left + m_columns.m_count - 1;
    // Inside the frame, with the time labels under it.
    scroll(-shift, 0, QRect(left + 1, top + 1, m_columns.m_count - 1, height() - top - 1));
    update(QRect(newest - shift, top, shift + 1, static_cast<int>(area.height())));
    if (m_time_labels) {
        const int labels_top = static_cast<int>(area.bottom()) + 1;
        const int reach = static_cast<int>(kTimeLabelHalfWidth) + 1;
        update(QRect(0, labels_top, left + reach, static_cast<int>(kTimeLabelHeight)));
        update(QRect(newest - shift - reach, labels_top, width(), static_cast<int>(kTimeLabelHeight)));
    }
}

void StripChart::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRectF area = PlotArea();
    if (area.width() < 2 || area.height() < 2) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    if (m_stale)
        RefreshColumns();
    painter.drawPixmap(0, 0, Backdrop(area, m_axis));
    PaintTimeGrid(painter, area, event->region());
    PaintCurves(painter, area, event->region());
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(area);
    if (m_cursor)
        PaintLegend(painter);
}

void StripChart::resizeEvent(QResizeEvent*)
{
    m_backdrop_stale = true;
    m_stale = true;
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
