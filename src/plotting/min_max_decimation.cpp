#include "plotting/min_max_decimation.h"

#include <algorithm>
#include <cmath>

namespace {

// Appends the spans of the columns `from` to `to` (both included) of `window`.
void AppendSpans(const PlotHistory& history, size_t channel, const ColumnWindow& window, int64_t from,
                 int64_t to, std::vector<ColumnSpan>& spans)
{
    // A time just below a column's start can still divide into that column;
    // stepping back by the column of each sample keeps every path exact.
    size_t i = history.LowerBound(window.StartOf(from));
    while (i > 0 && window.ColumnOf(history.Time(i - 1)) >= from)
        --i;
    for (; i < history.Size(); ++i) {
        const int64_t column = window.ColumnOf(history.Time(i));
        if (column > to)
            break;
        const float value = history.Value(channel, i);
        if (spans.empty() || spans.back().m_column != column) {
            spans.push_back({column, value, value, value, value});
            continue;
        }
        ColumnSpan& span = spans.back();
        span.m_min = std::min(span.m_min, value);
        span.m_max = std::max(span.m_max, value);
        span.m_last = value;
    }
}

} // namespace

ColumnWindow ColumnWindow::Ending(double end, double seconds, int count)
{
    ColumnWindow window{seconds / std::max(count, 1), 0, std::max(count, 0)};
    window.m_first = window.ColumnOf(end) - window.m_count + 1;
    return window;
}

int64_t ColumnWindow::ColumnOf(double seconds) const
{
    return static_cast<int64_t>(std::floor(seconds / m_seconds_per_column));
}

void DecimateMinMax(const PlotHistory& history, size_t channel, const ColumnWindow& window,
                    std::vector<ColumnSpan>& spans)
{
    spans.clear();
    AppendSpans(history, channel, window, window.m_first, window.Last(), spans);
}

void RollingMinMax::Update(const PlotHistory& history, size_t channel, const ColumnWindow& window)
{
    // Spans are kept only while the window moves forward on the same grid.
    if (history.Generation() != m_generation ||
        window.m_seconds_per_column != m_window.m_seconds_per_column || window.m_first < m_window.m_first ||
        window.Last() < m_window.Last())
        m_spans.clear();
    m_generation = history.Generation();
    m_window = window;
    if (history.Size() == 0) {
        m_spans.clear();
        return;
    }
    // Kept are the complete columns: not the newest one, which may still be
    // filling, nor the one holding the oldest sample, which may have lost
    // samples to the ring. Both are folded again.
    const int64_t oldest = std::max(window.m_first, window.ColumnOf(history.Time(0)));
    const int64_t newest = m_spans.empty() ? window.m_first : m_spans.back().m_column;
    std::erase_if(m_spans,
                  [&](const ColumnSpan& span) { return span.m_column <= oldest || span.m_column >= newest; });
    if (m_spans.empty()) {
        AppendSpans(history, channel, window, oldest, window.Last(), m_spans);
        return;
    }
    const size_t kept = m_spans.size();
    AppendSpans(history, channel, window, oldest, oldest, m_spans);
    std::rotate(m_spans.begin(), m_spans.begin() + static_cast<std::ptrdiff_t>(kept), m_spans.end());
    AppendSpans(history, channel, window, m_spans.back().m_column + 1, window.Last(), m_spans);
}
