#pragma once

#include <string>

// Why a serial device could not be opened.
enum class PortOpenCause {
    kNone,          // it opened
    kMissing,       // no such device
    kPermission,    // the user may not open it (group membership)
    kBusy,          // another program holds it
    kNotSerial,     // the path is not a serial device
    kConfigRefused, // it opened but refused 8-N-1 or the baud rate
    kOther,         // any other system error, see error_number
};

struct PortOpenResult {
    PortOpenCause cause = PortOpenCause::kNone;
    int error_number = 0; // errno of the failing call, 0 when none
    bool Succeeded() const { return cause == PortOpenCause::kNone; }
};

// One English sentence naming the cause and what to do about it, for the
// command-line tool's error and the window's status tooltip.
std::string DescribePortOpenFailure(const PortOpenResult& result, const std::string& device, int baud);
