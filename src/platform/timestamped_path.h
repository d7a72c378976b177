#pragma once

#include <chrono>
#include <string>

// The path of a new file in `folder` named after the local time `now`:
// prefix + "YYYYMMDD-HHMMSS" + tail + extension, e.g.
// "orvane-backup-" "20261209-183012" "-V2.3" ".rkdp". While anything of that
// name exists (a dangling link included), "-2", "-3", ... goes before the
// extension, so a file kept earlier is never replaced. Nothing is created.
std::string FreshTimestampedPath(const std::string& folder, const std::string& prefix,
                                 const std::string& tail, const std::string& extension,
                                 std::chrono::system_clock::time_point now);
