#pragma once

#include <cstddef>
#include <span>
#include <vector>

// The plots' recent past: a fixed number of samples, each a time and one
// value per curve, in ring buffers allocated once, so memory stays flat
// however long the window runs. The oldest sample goes when a new one comes.
// Times run forward; a time before the newest starts a new history (a replay
// from the beginning, a new recording).
class PlotHistory {
public:
    PlotHistory(size_t channels, size_t capacity);

    void Push(double seconds, std::span<const float> values);
    void Clear();

    size_t Size() const { return m_size; }
    size_t Capacity() const { return m_capacity; }
    size_t Channels() const { return m_channels; }
    // Counts the restarts (Clear, or a time before the newest), so a reader
    // keeping results derived from the samples knows when to drop them.
    size_t Generation() const { return m_generation; }
    // Sample `index`, 0 the oldest.
    double Time(size_t index) const { return m_times[Slot(index)]; }
    float Value(size_t channel, size_t index) const { return m_values[channel * m_capacity + Slot(index)]; }
    // The index of the first sample at or after `seconds` (Size() when none).
    size_t LowerBound(double seconds) const;

private:
    // `m_oldest` and `index` are both below the capacity, so one subtraction
    // wraps the slot; a division per sample read showed in the plots' cost.
    size_t Slot(size_t index) const
    {
        const size_t slot = m_oldest + index;
        return slot < m_capacity ? slot : slot - m_capacity;
    }

    size_t m_channels;
    size_t m_capacity;
    size_t m_oldest = 0;
    size_t m_size = 0;
    size_t m_generation = 0;
    std::vector<double> m_times;
    std::vector<float> m_values; // channel after channel, `m_capacity` slots each
};
