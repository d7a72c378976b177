#pragma once

#include <string>

// The parts of an open failure's sentence that each system words its own way.

// The port as the user knows it.
std::string PortShownName(const std::string& device);

// What to do when the user may not open `device`.
std::string DescribePermission(const std::string& device);

// The system's text for the error number of PortOpenResult.
std::string PortErrorText(int error_number);
