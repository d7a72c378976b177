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
// shared time axis, painted straight from the plot history reduced to the
// strip's pixel columns. It paints only when the window asks it to. What
// moves only with the size, the value axis or the chosen curves (background,
// value grid and labels, legend) is drawn once into a backdrop pixmap; a
// repaint copies it and draws the time grid and the curves on top.
class StripChart : public QWidget {
    Q_OBJECT
public:
    StripChart(const PlotHistory& history, size_t strip, QWidget* parent);

    void SetShownCurves(std::vector<bool> shown);
    void SetScale(const StripScale& scale);
    void SetTimeRange(double from, double to);
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
    AxisScale ValueAxis();
    void DecimateShownCurves(int columns);
    const QPixmap& Backdrop(const QRectF& area, const AxisScale& axis);
    void PaintValueGrid(QPainter& painter, const QRectF& area, const AxisScale& axis) const;
    void PaintTimeGrid(QPainter& painter, const QRectF& area) const;
    void PaintCurves(QPainter& painter, const QRectF& area, const AxisScale& axis);
    void PaintLegend(QPainter& painter) const;
    double TimeAt(double x) const;

    const PlotHistory& m_history;
    const PlotStrip& m_strip;
    const size_t m_first_channel;
    std::vector<bool> m_shown;
    StripScale m_scale;
    double m_from = 0;
    double m_to = 1;
    std::optional<double> m_cursor;
    bool m_time_labels = false;
    std::vector<std::vector<ColumnSpan>> m_spans; // per curve, reused between paints
    std::vector<QPointF> m_points;
    QPixmap m_backdrop;
    // What the backdrop was drawn for; it is redrawn when any of it changes.
    bool m_backdrop_stale = true;
    AxisScale m_backdrop_axis{};
    bool m_backdrop_has_legend = false;
};
