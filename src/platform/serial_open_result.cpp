#include "platform/serial_open_result.h"

#include "platform/serial_open_result_platform.h"

std::string DescribePortOpenFailure(const PortOpenResult& result, const std::string& device, int baud)
{
    const std::string port = "'" + PortShownName(device) + "'";
    switch (result.cause) {
    case PortOpenCause::kNone:
        return {};
    case PortOpenCause::kMissing:
        return "port " + port + " does not exist";
    case PortOpenCause::kPermission:
        return DescribePermission(device);
    case PortOpenCause::kBusy:
        return "port " + port + " is in use by another program";
    case PortOpenCause::kNotSerial:
        return port + " is not a serial device";
    case PortOpenCause::kConfigRefused:
        return "port " + port + " refused the configuration (8-N-1 at " + std::to_string(baud) + " baud)";
    case PortOpenCause::kOther:
        break;
    }
    return "cannot open port " + port + ": " + PortErrorText(result.error_number);
}
