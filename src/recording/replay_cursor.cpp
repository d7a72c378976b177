#include "recording/replay_cursor.h"

#include <algorithm>
#include <utility>

ReplayCursor::ReplayCursor(std::vector<double> times) : m_times(std::move(times)) {}

ReplayCursor::Due ReplayCursor::Advance(double wall_seconds)
{
    if (m_paused || Finished())
        return {m_next, m_next};
    m_position = std::min(m_position + wall_seconds * m_speed, Duration());
    const size_t first = m_next;
    while (m_next < m_times.size() && Offset(m_next) <= m_position)
        ++m_next;
    return {first, m_next};
}

std::optional<size_t> ReplayCursor::Step()
{
    m_paused = true;
    if (Finished())
        return std::nullopt;
    m_position = Offset(m_next);
    return m_next++;
}

double ReplayCursor::Duration() const
{
    return m_times.empty() ? 0 : Offset(m_times.size() - 1);
}
