#include "cli_commands.h"

#include "platform/port_listing.h"

ExitStatus RunPortsCommand(const CliArgs&, CliOutput& output)
{
    std::string text;
    JsonValue ports = JsonValue::Array{};
    for (const SerialPortItem& item : ListSerialPortItems(SystemPortListingSources())) {
        text += item.m_display_name + "\t" + item.m_device_path + "\n";
        ports.Push(JsonValue::MakeObject().Add("name", item.m_display_name).Add("path", item.m_device_path));
    }
    output.Result(text, JsonValue::MakeObject().Add("ports", std::move(ports)));
    return ExitStatus::kSuccess;
}
