#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Runs orvane-cli and orvane-sim as child processes for the end-to-end tests.

struct ProcessResult {
    int m_exit_status = -1; // -1: ended by a signal
    std::string m_out;
    std::string m_err;
};

// Path of the program under test, and of the simulated controller
// (ORVANE_SIM in the environment, else the one built beside the tests).
std::string CliPath();
std::string SimPath();

// Starts `program` with `arguments`, its standard output and error going to
// files in `folder`; returns the child's id.
pid_t StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& folder, const std::string& tag);

// Waits for `pid` and collects what it wrote.
ProcessResult FinishProcess(pid_t pid, const std::string& folder, const std::string& tag);

// Runs orvane-cli to its end.
ProcessResult RunCliProcess(const std::vector<std::string>& arguments, const std::string& folder);

// A simulated controller with the given fault options, on its own
// published name and state file, stopped when the object goes.
class SimulatedGimbal {
public:
    SimulatedGimbal(const std::string& folder, std::vector<std::string> options = {});
    ~SimulatedGimbal();
    SimulatedGimbal(const SimulatedGimbal&) = delete;
    SimulatedGimbal& operator=(const SimulatedGimbal&) = delete;

    const std::string& Port() const { return m_port; } // the path it printed
    const std::string& Name() const { return m_name; } // the name 'ports' lists
    const std::string& StateFile() const { return m_state_file; }
    void Kill(); // SIGTERM: the pseudo-terminal disappears

private:
    std::string m_folder;
    std::string m_name;
    std::string m_state_file;
    std::string m_port;
    pid_t m_pid = -1;
};

// A fresh folder under the system's temporary folder.
std::string MakeTempFolder();
std::string ReadWholeFile(const std::string& path);
