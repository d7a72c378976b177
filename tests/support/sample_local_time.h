#pragma once

#include <chrono>
#include <ctime>

// 2026-12-09 18:30:12 in the local time zone: names made from it read
// "20261209-183012" wherever the tests run.
inline std::chrono::system_clock::time_point SampleLocalTime()
{
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 9;
    local.tm_hour = 18;
    local.tm_min = 30;
    local.tm_sec = 12;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}
