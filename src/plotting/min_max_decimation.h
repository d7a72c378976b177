#pragma once

#include "plotting/plot_history.h"

#include <cstdint>
#include <vector>

// The pixel columns a plot shows: a time axis cut into columns
// `m_seconds_per_column` wide, counted from time zero (column k holds the
// samples from k to k + 1 column widths), of which `m_count` from `m_first`
// are on screen. Because columns are counted from time zero, a column keeps
// its samples while the axis scrolls, and the picture moves by whole pixels.
struct ColumnWindow {
    double m_seconds_per_column = 1;
    int64_t m_first = 0;
    int m_count = 1;

    // The `count` columns spanning `seconds` whose last holds the time `end`.
    static ColumnWindow Ending(double end, double seconds, int count);

    int64_t ColumnOf(double seconds) const;
    double StartOf(int64_t column) const { return static_cast<double>(column) * m_seconds_per_column; }
    int64_t Last() const { return m_first + m_count - 1; }
    double From() const { return StartOf(m_first); }
    double To() const { return StartOf(m_first + m_count); }
    bool operator==(const ColumnWindow&) const = default;
};

// What one pixel column of a plot shows of a curve: the first and last
// sample that fell into it, and the smallest and largest between.
struct ColumnSpan {
    int64_t m_column;
    float m_first;
    float m_min;
    float m_max;
    float m_last;

    bool operator==(const ColumnSpan&) const = default;
};

// Reduces the samples of `channel` in the columns of `window` to at most one
// span per column. A line through first, min, max and last of each column,
// column after column, looks like one through every sample, and costs the
// same whether the plot spans 10 s or 5 min. `spans` is refilled (its
// capacity kept, so repaints do not allocate).
void DecimateMinMax(const PlotHistory& history, size_t channel, const ColumnWindow& window,
                    std::vector<ColumnSpan>& spans);

// DecimateMinMax's spans of one curve, kept up to date as samples come and
// the window scrolls: an update folds in only the samples of the newest
// columns and drops the columns that left the window or the history, so a
// live plot does not reduce its whole time range on every repaint.
class RollingMinMax {
public:
    void Update(const PlotHistory& history, size_t channel, const ColumnWindow& window);
    void Clear() { m_spans.clear(); }
    const std::vector<ColumnSpan>& Spans() const { return m_spans; }

private:
    std::vector<ColumnSpan> m_spans;
    ColumnWindow m_window;
    size_t m_generation = 0;
};
