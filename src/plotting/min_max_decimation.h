#pragma once

#include "plotting/plot_history.h"

#include <vector>

// What one pixel column of a plot shows of a curve: the first and last
// sample that fell into it, and the smallest and largest between.
struct ColumnSpan {
    int m_column;
    float m_first;
    float m_min;
    float m_max;
    float m_last;
};

// Reduces the samples of `channel` from `from` to `to` seconds to at most one
// span per pixel column of a plot `columns` wide. A line through first, min,
// max and last of each column, column after column, looks like one through
// every sample, and costs the same whether the plot spans 10 s or 5 min.
// `spans` is refilled (its capacity kept, so repaints do not allocate).
void DecimateMinMax(const PlotHistory& history, size_t channel, double from, double to, int columns,
                    std::vector<ColumnSpan>& spans);
