#include "cli_args.h"

#include <gtest/gtest.h>

namespace {

CliParseResult Parse(std::vector<std::string> arguments)
{
    return ParseCliArgs(arguments);
}

TEST(CliArgs, ConnectingCommandsTakeTheWindowDefaults)
{
    const CliParseResult result = Parse({"monitor", "--port", "/dev/ttyUSB0"});
    ASSERT_EQ(result.m_error, "");
    EXPECT_EQ(result.m_args.m_command, CliCommandId::kMonitor);
    EXPECT_EQ(result.m_args.m_port, "/dev/ttyUSB0");
    EXPECT_EQ(result.m_args.m_baud, 115200);
    EXPECT_EQ(result.m_args.m_period_ms, 10);
    EXPECT_DOUBLE_EQ(result.m_args.m_timeout_s, 5.0);
    EXPECT_FALSE(result.m_args.m_autostop);
    EXPECT_FALSE(result.m_args.m_json);
}

TEST(CliArgs, OptionsTakeSeparateOrJoinedValuesInAnyPosition)
{
    const CliParseResult result = Parse({"upload", "--baud=57600", "set.rkdp", "--port", "COM3", "--timeout",
                                         "0.5", "--flash", "--json", "--autostop", "--period=20"});
    ASSERT_EQ(result.m_error, "");
    EXPECT_EQ(result.m_args.m_operands, std::vector<std::string>{"set.rkdp"});
    EXPECT_EQ(result.m_args.m_baud, 57600);
    EXPECT_EQ(result.m_args.m_port, "COM3");
    EXPECT_DOUBLE_EQ(result.m_args.m_timeout_s, 0.5);
    EXPECT_EQ(result.m_args.m_period_ms, 20);
    EXPECT_TRUE(result.m_args.m_flash && result.m_args.m_json && result.m_args.m_autostop);
}

TEST(CliArgs, BadInputIsAUsageErrorThatNamesTheCause)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"monitor"}, "monitor needs --port"},
        {{"download", "--port", "P"}, "download expects FILE.rkdp"},
        {{"diff", "a.rkdp"}, "diff expects A.rkdp B.rkdp"},
        {{"ports", "extra"}, "ports expects no arguments"},
        {{"monitor", "--port"}, "option '--port' needs a value"},
        {{"monitor", "--port", "P", "--baud", "fast"}, "--baud: invalid value 'fast' (accepts 1..4000000)"},
        {{"monitor", "--port", "P", "--baud", "0"}, "--baud: invalid value '0' (accepts 1..4000000)"},
        {{"monitor", "--port", "P", "--period", "10ms"}, "--period: invalid value '10ms' (accepts 1..1000)"},
        {{"monitor", "--port", "P", "--timeout", "-1"},
         "--timeout: invalid value '-1' (accepts 0.001..86400)"},
        {{"monitor", "--port", "P", "--timeout", "nan"},
         "--timeout: invalid value 'nan' (accepts 0.001..86400)"},
        {{"monitor", "--port", "P", "--timeout", "-nan"},
         "--timeout: invalid value '-nan' (accepts 0.001..86400)"},
        {{"monitor", "--port", "P", "--timeout", "inf"},
         "--timeout: invalid value 'inf' (accepts 0.001..86400)"},
        {{"monitor", "--port", "P", "--timeout", "1e999"},
         "--timeout: invalid value '1e999' (accepts 0.001..86400)"},
        {{"monitor", "--port", "P", "--count", "-1"},
         "--count: invalid value '-1' (accepts 0..1099511627776)"},
        {{"monitor", "--port", "P", "--baud", "99999999999"},
         "--baud: invalid value '99999999999' (accepts 1..4000000)"},
        {{"monitor", "--port", "P", "--flash"}, "unknown option '--flash'"},
        {{"diff", "a", "b", "--port", "P"}, "unknown option '--port'"},
        {{"command", "--port", "P", "--yes=1", "run"}, "option '--yes' takes no value"},
    };
    for (const auto& [arguments, error] : cases) {
        EXPECT_EQ(Parse(arguments).m_error, error) << testing::PrintToString(arguments);
    }
}

TEST(CliArgs, HelpNeedsNothingElse)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"help"}, {"download", "--help"}, {"help", "download"}}) {
        const CliParseResult result = Parse(arguments);
        EXPECT_EQ(result.m_error, "") << testing::PrintToString(arguments);
        EXPECT_TRUE(result.m_args.m_help);
    }
    EXPECT_FALSE(Parse({"--help"}).m_args.m_command.has_value());
    EXPECT_EQ(Parse({"help", "download"}).m_args.m_command, CliCommandId::kDownload);
    EXPECT_EQ(Parse({"help", "nothing"}).m_error, "unknown command 'nothing'");
}

TEST(CliArgs, HelpListsEveryCommandAndOnlyTheOptionsThatApply)
{
    const std::string program = ProgramHelp();
    for (const char* name : {"ports", "monitor", "download", "upload", "command", "diff"}) {
        EXPECT_NE(program.find(std::string("  ") + name), std::string::npos) << name;
    }
    const std::string monitor = CommandHelp(CliCommandId::kMonitor);
    EXPECT_NE(monitor.find("--csv FILE"), std::string::npos);
    EXPECT_NE(monitor.find("--timeout S"), std::string::npos);
    EXPECT_EQ(monitor.find("--flash"), std::string::npos);
    const std::string diff = CommandHelp(CliCommandId::kDiff);
    EXPECT_NE(diff.find("Usage: orvane-cli diff A.rkdp B.rkdp [OPTIONS]"), std::string::npos);
    EXPECT_EQ(diff.find("--port"), std::string::npos);
    EXPECT_NE(CommandHelp(CliCommandId::kCommand).find("gyro-cal-reset"), std::string::npos);
}

} // namespace
