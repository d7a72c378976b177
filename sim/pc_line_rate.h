#pragma once

#include <cstdint>
#include <optional>

// The line rate the PC has set on its end of the pseudo-terminal, read
// through the master `master_fd`; nullopt when it cannot be read.
std::optional<uint32_t> PcLineRate(int master_fd);

// Two ends of an asynchronous line understand each other when their rates
// differ by no more than about 3 percent.
bool RatesMatch(uint32_t a, uint32_t b);
