#include "plotting/min_max_decimation.h"

#include <algorithm>

void DecimateMinMax(const PlotHistory& history, size_t channel, double from, double to, int columns,
                    std::vector<ColumnSpan>& spans)
{
    spans.clear();
    if (columns <= 0 || to <= from)
        return;
    const double columns_per_second = columns / (to - from);
    for (size_t i = history.LowerBound(from); i < history.Size() && history.Time(i) <= to; ++i) {
        const int column =
            std::min(columns - 1, static_cast<int>((history.Time(i) - from) * columns_per_second));
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
