#include "cli_commands.h"
#include "cli_connection.h"
#include "interrupt_signal.h"
#include "telemetry_report.h"
#include "terminal.h"

#include <fstream>

namespace {

// Shows each stored live status page and records every decoded frame.
class MonitorObserver : public SessionObserver {
public:
    MonitorObserver(const CliArgs& args, CliOutput& output, const TelemetryState& telemetry)
        : m_args(args), m_output(output), m_telemetry(telemetry),
          m_one_line_per_page(args.m_lines || !StandardOutputIsTerminal())
    {
    }

    // False when the CSV file cannot be created.
    bool OpenCsv()
    {
        m_csv.open(m_args.m_csv, std::ios::out | std::ios::trunc);
        m_csv << TelemetryCsvHeader() << std::flush;
        return m_csv.good();
    }

    void OnFrameDecoded(const ProtocolFrame& frame, bool status_page_stored) override
    {
        ++m_frames;
        if (m_csv.is_open()) {
            // Flushed row by row: an interrupted run loses nothing it showed.
            const double seconds =
                std::chrono::duration<double>(GimbalSession::Clock::now() - m_start).count();
            m_csv << TelemetryCsvRow(seconds, frame, m_telemetry) << std::flush;
            m_csv_failed = m_csv_failed || !m_csv.good();
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

    uint64_t Frames() const { return m_frames; }
    bool CountReached() const { return m_args.m_count > 0 && m_status_pages >= uint64_t(m_args.m_count); }
    bool CsvFailed() const { return m_csv_failed; }

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
    std::ofstream m_csv;
    GimbalSession::Clock::time_point m_start = GimbalSession::Clock::now();
    uint64_t m_frames = 0;
    uint64_t m_status_pages = 0;
    bool m_csv_failed = false;
};

} // namespace

ExitStatus RunMonitorCommand(const CliArgs& args, CliOutput& output)
{
    CliConnection connection(args, output);
    GimbalSession& session = connection.Session();
    MonitorObserver observer(args, output, session.Telemetry());
    if (!args.m_csv.empty() && !observer.OpenCsv()) {
        return output.Fail(ExitStatus::kUsageError, "cannot write '" + args.m_csv + "'");
    }
    session.SetObserver(&observer);
    ExitStatus status = connection.Connect();
    // Until the link runs, Ctrl-C simply ends the program; from here on it
    // ends the loop, so the live line and the CSV file are closed properly.
    InstallInterruptHandler();
    while (status == ExitStatus::kSuccess && !InterruptRequested() && !observer.CountReached()) {
        const uint64_t frames_before = observer.Frames();
        const bool arrived = connection.PumpFor(
            [&] { return InterruptRequested() || observer.Frames() > frames_before; }, args.m_timeout_s);
        if (observer.CsvFailed()) {
            status = output.Fail(ExitStatus::kUsageError, "cannot write '" + args.m_csv + "'");
        } else if (!arrived && !InterruptRequested()) {
            observer.EndLiveLine();
            status = connection.ReportWaitFailure("live telemetry");
        }
    }
    if (status == ExitStatus::kSuccess) {
        observer.EndLiveLine();
    }
    session.SetObserver(nullptr);
    return status;
}
