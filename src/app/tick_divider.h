#pragma once

// Passes on every n-th of a stream of ticks: the window's 10 ms timer
// refreshes the 3D view on every fifth tick, 20 times a second.
class TickDivider {
public:
    explicit TickDivider(unsigned every) : m_every(every) {}

    // Counts one tick; true on every `every`-th.
    bool Tick()
    {
        if (++m_count < m_every)
            return false;
        m_count = 0;
        return true;
    }

private:
    unsigned m_every;
    unsigned m_count = 0;
};
