#include "cli_connection.h"

#include "platform/ui_language.h"
#include "port_resolution.h"
#include "resources/message_ids.h"
#include "resources/message_table.h"
#include "wait_failure.h"

#include <chrono>
#include <cstdio>

std::string EnglishMessage(int message_id)
{
    return LoadMessage(message_id, kLanguageEnglish);
}

std::string EnglishMessage(MessageId message)
{
    return EnglishMessage(Id(message));
}

std::string PortOpenFailedText(const PortOpenResult& why, const std::string& device, int baud)
{
    return EnglishMessage(MessageId::kPortOpenFailed) + ": " + DescribePortOpenFailure(why, device, baud);
}

CliConnection::CliConnection(const CliArgs& args, CliOutput& output)
    : m_args(args), m_output(output),
      m_session(std::make_unique<GimbalSession>(args.m_period_ms, args.m_autostop))
{
}

ExitStatus CliConnection::Connect()
{
    m_device = ResolvePortPath(m_args.m_port);
    if (m_device.empty()) {
        return m_output.Fail(ExitStatus::kUsageError,
                             "no port named '" + m_args.m_port + "' (see 'orvane-cli ports')");
    }
    PortOpenResult why;
    if (!m_session->StartLink(m_device, m_args.m_baud, &why)) {
        return m_output.Fail(ExitStatus::kUsageError, PortOpenFailedText(why, m_device, m_args.m_baud));
    }
    TransactionState& state = m_session->State();
    const ExitStatus downloaded =
        Await([&state] { return state.m_transfer_active == 0; }, "parameter download");
    if (downloaded != ExitStatus::kSuccess || !m_args.m_autostop) {
        return downloaded;
    }
    // The stop every connection starts with must be answered before a
    // command of ours takes its place, or its answer would end ours.
    return Await([&state] { return state.m_command == 0; }, "gimbal stop on connecting");
}

bool CliConnection::PumpFor(const std::function<bool()>& done, double seconds)
{
    m_counters_at_wait = m_session->Counters();
    const auto deadline = m_session->Now() + std::chrono::duration_cast<GimbalSession::Clock::duration>(
                                                 std::chrono::duration<double>(seconds));
    return m_session->PumpUntil(done, deadline);
}

ExitStatus CliConnection::Await(const std::function<bool()>& done, std::string_view what)
{
    return PumpFor(done, m_args.m_timeout_s) ? ExitStatus::kSuccess : ReportWaitFailure(what);
}

ExitStatus CliConnection::ReportWaitFailure(std::string_view what)
{
    if (m_session->IsLinkLost()) {
        const char* cause = m_session->LossCause() == LinkLoss::kHungUp ? "it hung up" : "a write failed";
        return m_output.Fail(ExitStatus::kUsageError, EnglishMessage(MessageId::kTransmitError) + ": port '" +
                                                          m_device + "' was lost during the " +
                                                          std::string(what) + " (" + cause + ")");
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g", m_args.m_timeout_s);
    const LinkCounters during = CountersSince(m_counters_at_wait, m_session->Counters());
    return m_output.Fail(ExitStatus::kTimeout,
                         "time-out: no answer from the gimbal on '" + m_device + "' within " + seconds +
                             " s (" + std::string(what) +
                             "): " + DescribeWaitFailure(during, m_session->Telemetry()));
}
