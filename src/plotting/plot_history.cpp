#include "plotting/plot_history.h"

#include <algorithm>

PlotHistory::PlotHistory(size_t channels, size_t capacity)
    : m_channels(channels), m_capacity(std::max<size_t>(capacity, 1)), m_times(m_capacity),
      m_values(m_channels * m_capacity)
{
}

void PlotHistory::Push(double seconds, std::span<const float> values)
{
    if (m_size > 0 && seconds < Time(m_size - 1))
        Clear();
    size_t slot;
    if (m_size < m_capacity) {
        slot = Slot(m_size++);
    } else {
        slot = m_oldest;
        m_oldest = (m_oldest + 1) % m_capacity;
    }
    m_times[slot] = seconds;
    const size_t count = std::min(values.size(), m_channels);
    for (size_t channel = 0; channel < count; ++channel)
        m_values[channel * m_capacity + slot] = values[channel];
}

void PlotHistory::Clear()
{
    m_oldest = 0;
    m_size = 0;
    ++m_generation;
}

size_t PlotHistory::LowerBound(double seconds) const
{
    size_t low = 0;
    size_t high = m_size;
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (Time(middle) < seconds)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}
