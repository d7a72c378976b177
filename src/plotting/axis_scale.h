#pragma once

// A value axis with round tick marks: from `m_low` to `m_high` in steps of
// `m_step` (1, 2 or 5 times a power of ten).
struct AxisScale {
    double m_low;
    double m_high;
    double m_step;

    bool operator==(const AxisScale&) const = default;
};

// The smallest round axis holding `low` to `high` with at most `max_ticks`
// steps. A flat curve (low == high) gets a small band around its value, so it
// is drawn in the middle rather than on an edge.
AxisScale RoundAxis(double low, double high, int max_ticks);
