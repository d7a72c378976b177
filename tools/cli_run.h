#pragma once

#include <ostream>
#include <string>
#include <vector>

// The whole program but for its entry point: parses `arguments` (those after
// the program name), runs the command and returns the exit status.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
