#pragma once

#include <chrono>
#include <ctime>
#include <iomanip>
#include <sstream>

// 2026-12-09 18:30:12 in the local time zone: names made from it read
// "20261209-183012" wherever the tests run.
inline std::chrono::system_clock::time_point SampleLocalTime()
{
    std::tm local{};
    std::istringstream("2026-12-09 18:30:12") >> std::get_time(&local, "%Y-%m-%d %H:%M:%S");
    local.tm_isdst = -1; // whatever the zone's rule on that day
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}
