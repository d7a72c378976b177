#include "cli_commands.h"
#include "cli_connection.h"
#include "interrupt_signal.h"
#include "recording/csv_recording.h"
#include "recording/telemetry_csv.h"
#include "telemetry_report.h"
#include "terminal.h"

namespace {

// Shows each stored live status page and records every decoded frame.
class MonitorObserver : public SessionObserver {
public:
    MonitorObserver(const CliArgs& args, CliOutput& output, const TelemetryState& telemetry)
        : m_args(args), m_output(output), m_telemetry(telemetry),
          m_one_line_per_page(args.m_lines || !StandardOutputIsTerminal())
    {
    }

    // An error text when the CSV file cannot be started.
    std::string OpenCsv() { return m_csv.Open(m_args.m_csv, m_args.m_force, TelemetryCsvHeader()); }

    void OnFrameDecoded(const ProtocolFrame& frame, bool status_page_stored) override
    {
        // One tick may decode several pages: those after the count are not
        // the user's, neither on screen nor in the file.
        if (CountReached())
            return;
        if (!m_args.m_csv.empty() && m_csv_error.empty()) {
            const double seconds =
                std::chrono::duration<double>(GimbalSession::Clock::now() - m_start).count();
            m_csv_error = m_csv.Append(TelemetryCsvRow(seconds, frame, m_telemetry));
        }
        if (status_page_stored) {
            ++m_status_pages;
            Show();
        }
    }

    void EndLiveLine()
    {
        if (m_status_pages > 0 && !m_output.IsJson() && !m_one_line_per_page) {
            m_output.Result("\n", {});
        }
    }

    uint64_t StatusPages() const { return m_status_pages; }
    bool CountReached() const { return m_args.m_count > 0 && m_status_pages >= uint64_t(m_args.m_count); }
    const std::string& CsvError() const { return m_csv_error; }

private:
    void Show()
    {
        JsonValue json = TelemetryJson(m_telemetry);
        json.Add("frame", static_cast<int64_t>(m_status_pages));
        const std::string line = TelemetryLine(m_telemetry);
        // The live line is rewritten in place; the padding clears the tail
        // of a longer line before it.
        std::string text = m_one_line_per_page ? line + "\n" : "\r" + line + std::string(8, ' ');
        m_output.Result(text, json);
    }

    const CliArgs& m_args;
    CliOutput& m_output;
    const TelemetryState& m_telemetry;
    const bool m_one_line_per_page;
    CsvRecording m_csv;
    std::string m_csv_error;
    GimbalSession::Clock::time_point m_start = GimbalSession::Clock::now();
    uint64_t m_status_pages = 0;
};

} // namespace

ExitStatus RunMonitorCommand(const CliArgs& args, CliOutput& output)
{
    CliConnection connection(args, output);
    GimbalSession& session = connection.Session();
    MonitorObserver observer(args, output, session.Telemetry());
    if (!args.m_csv.empty()) {
        if (const std::string error = observer.OpenCsv(); !error.empty()) {
            return output.Fail(ExitStatus::kUsageError, error);
        }
    }
    session.SetObserver(&observer);
    ExitStatus status = connection.Connect();
    // Until the link runs, Ctrl-C simply ends the program; from here on it
    // ends the loop, so the live line and the CSV file are closed properly.
    InstallInterruptHandler();
    while (status == ExitStatus::kSuccess && !InterruptRequested() && !observer.CountReached()) {
        // Only a live status page counts: a gimbal that keeps sending other
        // frames but no page 33 has stopped reporting its state.
        const uint64_t pages_before = observer.StatusPages();
        const bool arrived = connection.PumpFor(
            [&] { return InterruptRequested() || observer.StatusPages() > pages_before; }, args.m_timeout_s);
        if (!observer.CsvError().empty()) {
            status = output.Fail(ExitStatus::kUsageError, observer.CsvError());
        } else if (!arrived && !InterruptRequested()) {
            observer.EndLiveLine();
            status = connection.ReportWaitFailure("live status page 33");
        }
    }
    if (status == ExitStatus::kSuccess) {
        observer.EndLiveLine();
    }
    session.SetObserver(nullptr);
    return status;
}
