#include "cli_output.h"

void CliOutput::Result(std::string_view text, const JsonValue& json)
{
    if (m_json) {
        m_out << json.Serialise() << '\n';
    } else {
        m_out << text;
    }
    m_out.flush();
}

void CliOutput::Progress(std::string_view line)
{
    if (!m_json) {
        m_err << line << '\n';
    }
}

ExitStatus CliOutput::Fail(ExitStatus status, std::string_view message)
{
    m_err << "orvane-cli: " << message << '\n';
    m_err.flush();
    if (m_json) {
        JsonValue error = JsonValue::MakeObject();
        error.Add("error", message).Add("exit_status", ToInt(status));
        m_out << error.Serialise() << '\n';
        m_out.flush();
    }
    return status;
}
