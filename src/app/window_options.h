#pragma once

#include <string>

// The on/off choices of the window's menu. They live in a section of their
// own so that the window's settings proper are never rewritten for them.
enum class WindowOption {
    kExpertView,             // the whole dialog template instead of its visible area
    kReconnectAutomatically, // reconnect to a returned port without asking
};

// Off unless the settings file says "1".
bool ReadWindowOption(WindowOption option, const std::string& settings_path);

// False when the file could not be written.
bool WriteWindowOption(WindowOption option, bool on, const std::string& settings_path);
