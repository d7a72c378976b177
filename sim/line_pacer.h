#pragma once

#include <cstddef>
#include <cstdint>

#include "sim/sim_clock.h"

// Releases bytes at the rate of a serial line: 10 bits a byte (8-N-1). The
// budget saved up while the line is idle is capped, so a quiet spell is not
// followed by a burst faster than the line.
class LinePacer {
public:
    explicit LinePacer(uint32_t baud);

    // Bytes that may go out now. `backlog`: bytes waited all along, so the
    // line was busy and no budget is lost to the cap, however late we look.
    size_t Allowance(SimDuration now, bool backlog = false);
    void Consume(size_t bytes);

    // Time until at least one byte may go out.
    SimDuration WaitForByte() const;

private:
    double m_bytes_per_second;
    double m_budget = 0;
    double m_cap;
    SimDuration m_last{0};
};
