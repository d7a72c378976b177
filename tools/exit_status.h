#pragma once

// Exit statuses of orvane-cli, documented in its help: scripts branch on them.
enum class ExitStatus : int {
    kSuccess = 0,
    kGimbalFailure = 1, // the gimbal answered with a failure code or did not keep an uploaded value
    kSetsDiffer = 1,    // diff: the two parameter sets differ, as diff(1) reports it
    kTimeout = 2,       // no answer within --timeout
    kUsageError = 3,    // bad arguments, unreadable file or port error
};

inline int ToInt(ExitStatus status)
{
    return static_cast<int>(status);
}
