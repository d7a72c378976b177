#pragma once

#include "plotting/axis_scale.h"
#include "plotting/min_max_decimation.h"
#include "plotting/plot_curves.h"
#include "plotting/plot_settings.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

// One strip of the plot window: the curves of one PlotStrip against the
// shared time axis, painted from the plot history reduced to the strip's
// pixel columns. The time axis moves by whole columns, and each curve's
// column spans are kept from repaint to repaint (RollingMinMax). While the
// picture only moves on, the strip scrolls its pixels and paints just the
// columns that came in; anything else (size, value axis, curves, cursor)
// repaints it whole. What moves only with the size, the value axis or the
// chosen curves (background, value grid and labels, legend) is drawn once
// into a backdrop pixmap; a repaint copies it and draws the time grid and the
// curves on top.
class StripChart : public QWidget {
    Q_OBJECT
public:
    StripChart(const PlotHistory& history, size_t strip, QWidget* parent);

    void SetShownCurves(std::vector<bool> shown);
    void SetScale(const StripScale& scale);
    // The `seconds` up to `end`. The length comes on its own rather than as
    // a difference of times, so that it stays exactly the same as the window
    // follows the time. While visible, the strip repaints itself as far as
    // the picture changed, once it has moved by a column.
    void SetTimeWindow(double end, double seconds);
    void SetCursor(std::optional<double> seconds);
    void SetTimeLabels(bool shown);
    bool ShowsAnyCurve() const;

signals:
    // The time under the mouse, or nothing once it has left the strip.
    void CursorMoved(std::optional<double> seconds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRectF PlotArea() const;
    void RefreshColumns();
    AxisScale ValueAxis() const;
    void ScrollColumns(int shift);
    const QPixmap& Backdrop(const QRectF& area, const AxisScale& axis);
    void PaintValueGrid(QPainter& painter, const QRectF& area, const AxisScale& axis) const;
    void PaintTimeGrid(QPainter& painter, const QRectF& area, const QRegion& exposed) const;
    void PaintCurves(QPainter& painter, const QRectF& area, const QRegion& exposed);
    void PaintCurveColumns(QPainter& painter, const QRectF& area, size_t curve, int64_t first, int64_t last);
    void PaintLegend(QPainter& painter) const;
    double TimeAt(double x) const;

    const PlotHistory& m_history;
    const PlotStrip& m_strip;
    const size_t m_first_channel;
    std::vector<bool> m_shown;
    StripScale m_scale;
    double m_end = 1;
    double m_seconds = 1;
    std::optional<double> m_cursor;
    bool m_time_labels = false;
    // The columns, spans and value axis on screen; stale when something
    // other than time moved them, so that the next paint redoes them.
    ColumnWindow m_columns;
    std::vector<RollingMinMax> m_curves;
    AxisScale m_axis{-1, 1, 1};
    bool m_stale = true;
    std::vector<QPointF> m_points;
    QPixmap m_backdrop;
    // What the backdrop was drawn for; it is redrawn when any of it changes.
    bool m_backdrop_stale = true;
    AxisScale m_backdrop_axis{};
    bool m_backdrop_has_legend = false;
};
