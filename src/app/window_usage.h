#pragma once

#include <string>

// `orvane --help`: the window has no options of its own, but a user (and the
// manual page, which is made from this text) should get an answer on the
// terminal rather than a window.
bool AsksForHelp(int argc, const char* const* argv);
// The help text, naming the settings file a start from here would use.
std::string WindowUsage(const std::string& settings_path);
