#pragma once

#include "cli_args.h"
#include "cli_output.h"
#include "link/gimbal_session.h"
#include "resources/message_ids.h"

#include <functional>
#include <memory>
#include <string_view>

// A connected session as every connecting command starts it: the port of
// --port opened with --baud and --period, the connection begun as the
// window begins it (an optional stop with --autostop, then a parameter
// download), and the download finished.
class CliConnection {
public:
    CliConnection(const CliArgs& args, CliOutput& output);

    // Opens the port and waits for the first download (and, with
    // --autostop, for the stop's answer). kSuccess or the failure reported.
    ExitStatus Connect();

    // Pumps the session until `done()` holds. A time-out (--timeout seconds)
    // or a lost port is reported with `what` naming the transaction.
    ExitStatus Await(const std::function<bool()>& done, std::string_view what);

    // Pumps until `done()` or for at most `seconds`; false on time-out or a
    // lost port, which is not reported.
    bool PumpFor(const std::function<bool()>& done, double seconds);

    // Reports the lost port or a time-out after PumpFor returned false; a
    // time-out names what did (not) come during that wait.
    ExitStatus ReportWaitFailure(std::string_view what);

    GimbalSession& Session() { return *m_session; }
    const std::string& Device() const { return m_device; }

private:
    const CliArgs& m_args;
    CliOutput& m_output;
    std::string m_device;
    std::unique_ptr<GimbalSession> m_session;
    // The link's counters when the last wait began, to say why it failed.
    LinkCounters m_counters_at_wait;
};

// English text of a message of the message table.
std::string EnglishMessage(int message_id);
std::string EnglishMessage(MessageId message);

// "Serial Port Open Failed" with the cause, for a port that would not open.
std::string PortOpenFailedText(const PortOpenResult& why, const std::string& device, int baud);
