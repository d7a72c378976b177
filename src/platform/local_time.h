#pragma once

#include <chrono>
#include <ctime>

// The calendar fields of `when` in the user's time zone.
std::tm LocalTime(std::chrono::system_clock::time_point when);
