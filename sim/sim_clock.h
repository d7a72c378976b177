#pragma once

#include <chrono>

// Time as the controller model sees it. The program uses the monotonic clock;
// tests advance a manual clock so that nothing sleeps.
using SimDuration = std::chrono::nanoseconds;

class SimClock {
public:
    virtual ~SimClock() = default;
    virtual SimDuration Now() const = 0;
};

// Monotonic time since the clock was created.
class SteadySimClock final : public SimClock {
public:
    SimDuration Now() const override { return std::chrono::steady_clock::now() - m_start; }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

class ManualClock final : public SimClock {
public:
    SimDuration Now() const override { return m_now; }
    void Advance(SimDuration step) { m_now += step; }

private:
    SimDuration m_now{0};
};
