#pragma once

#include "params/gimbal_params.h"

#include <chrono>
#include <cstdint>
#include <string>

// Before a firmware upgrade the parameter set the gimbal last gave or took
// is kept in a file, so the user's tuning survives the new firmware. Writes
// it and returns the note for the user: where the file went, or why it
// could not be written (the upgrade goes on either way).
std::string BackUpBeforeUpgrade(const GimbalParams& params, uint8_t main_version,
                                std::chrono::system_clock::time_point now);
