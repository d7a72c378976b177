#pragma once

#include "platform/port_listing.h"

#include <optional>
#include <string>

// The program: start-up, the one modal dialog, and the relaunch after a
// language change.
class COrvaneApp {
public:
    // Prepares the process, runs the dialog until it closes, relaunches the
    // program when the language was changed. Always false: the process then
    // ends.
    bool InitInstance(int& argc, char** argv);

    std::string m_settings_path; // "Setting.ini": the working directory's, else the user's
    std::string m_app_title;     // caption of the window and of every question
    std::optional<PortListingSources> m_port_sources; // where the port box looks; unset: the system

    bool m_restart_pending = false;
    int m_exit_status = 0; // non-zero when the window could not be shown
};
