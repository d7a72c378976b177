#include "sim/line_pacer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr double kBitsPerByte = 10.0;
constexpr double kSmallestCap = 80.0; // one frame
constexpr double kCapSeconds = 0.002;

} // namespace

LinePacer::LinePacer(uint32_t baud)
    : m_bytes_per_second(baud / kBitsPerByte), m_cap(std::max(kSmallestCap, m_bytes_per_second * kCapSeconds))
{
}

size_t LinePacer::Allowance(SimDuration now, bool backlog)
{
    const double elapsed = std::chrono::duration<double>(now - m_last).count();
    m_last = now;
    m_budget += elapsed * m_bytes_per_second;
    if (!backlog)
        m_budget = std::min(m_cap, m_budget);
    return static_cast<size_t>(m_budget);
}

void LinePacer::Consume(size_t bytes)
{
    m_budget = std::max(0.0, m_budget - static_cast<double>(bytes));
}

SimDuration LinePacer::WaitForByte() const
{
    const double missing = std::max(0.0, 1.0 - m_budget);
    return std::chrono::duration_cast<SimDuration>(
        std::chrono::duration<double>(missing / m_bytes_per_second));
}
