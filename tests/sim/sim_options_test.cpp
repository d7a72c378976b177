#include "sim/sim_options.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

SimOptionsResult Parse(std::vector<std::string> args)
{
    return ParseSimOptions(args);
}

} // namespace

TEST(SimOptions, DefaultsAreAQuietCleanController)
{
    const SimOptionsResult result = Parse({});
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.options.period, 10ms);
    EXPECT_EQ(result.options.cal_seconds, 2.0);
    EXPECT_FALSE(result.options.silent_after);
    EXPECT_FALSE(result.options.seed);
    const ModelOptions model = ModelOptionsFrom(result.options, 5);
    EXPECT_TRUE(model.calibration_allowed);
    EXPECT_EQ(model.calibration_time, 2s);
    EXPECT_TRUE(model.failing_commands.empty());
}

TEST(SimOptions, EveryOptionReachesTheModelAndTheLine)
{
    const SimOptionsResult result = Parse({"--name",
                                           "bench-1",
                                           "--state=/tmp/x.rkdp",
                                           "--period",
                                           "2.5",
                                           "--cal-seconds",
                                           "0.5",
                                           "--crc-error-rate",
                                           "0.1",
                                           "--drop-rate=0.01",
                                           "--garbage-rate",
                                           "0.02",
                                           "--silent-after",
                                           "3",
                                           "--fail",
                                           "1,7",
                                           "--no-cal",
                                           "--hw-fault",
                                           "CRYS,mtr2,mtr1-status=0x0A",
                                           "--ignore-page",
                                           "19",
                                           "--hang-up-at-page",
                                           "4",
                                           "--baud",
                                           "115200",
                                           "--seed",
                                           "9"});
    ASSERT_EQ(result.error, "");
    const SimOptions& options = result.options;
    EXPECT_EQ(options.name, "bench-1");
    EXPECT_EQ(options.state_file, "/tmp/x.rkdp");
    EXPECT_EQ(options.period, 2500us);
    EXPECT_EQ(options.baud, 115200u);
    EXPECT_EQ(options.seed, 9u);
    const ModelOptions model = ModelOptionsFrom(options, 9);
    EXPECT_EQ(model.calibration_time, 500ms);
    EXPECT_EQ(model.failing_commands, (std::set<uint8_t>{1, 7}));
    EXPECT_FALSE(model.calibration_allowed);
    EXPECT_EQ(model.silent_after, SimDuration(3s));
    EXPECT_EQ(model.ignored_pages, (std::set<uint8_t>{19}));
    EXPECT_EQ(model.hang_up_page, 4);
    EXPECT_EQ(model.hardware_faults.main_flags, 0x21);
    EXPECT_EQ(model.hardware_faults.mtr_status[1], 0x0A);
    const LineFaultOptions line = LineFaultOptionsFrom(options);
    EXPECT_EQ(line.crc_error_rate, 0.1);
    EXPECT_EQ(line.drop_rate, 0.01);
    EXPECT_EQ(line.garbage_rate, 0.02);
}

TEST(SimOptions, RejectsWhatItCannotHonour)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--frobnicate"},
        {"--period"},
        {"--period", "0"},
        {"--drop-rate", "1.5"},
        {"--crc-error-rate", "x"},
        {"--fail", "200"},
        {"--fail", "1,,2"},
        {"--hw-fault", "boom"},
        {"--hw-fault", "crys=3"},
        {"--name", "../etc"},
        {"--name", ".hidden"},
        {"--name", "a/b"},
        {"--baud", "12"},
        {"--unpaced", "--baud", "9600"},
        {"--silent-after", "-1"},
        {"--seed", "-4"},
        {"--no-cal=1"},
        {"--ignore-page", "256"},
        {"--hang-up-at-page", "256"},
    };
    for (const auto& args : bad)
        EXPECT_NE(Parse(args).error, "") << args[0] << (args.size() > 1 ? " " + args[1] : "");
}

TEST(SimOptions, HelpNamesEveryOption)
{
    EXPECT_TRUE(Parse({"--help"}).options.help);
    const std::string help = SimHelpText();
    for (const char* option :
         {"--name", "--state", "--period", "--baud", "--unpaced", "--cal-seconds", "--seed",
          "--crc-error-rate", "--drop-rate", "--garbage-rate", "--silent-after", "--fail", "--no-cal",
          "--hw-fault", "--ignore-page", "--hang-up-at-page"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}
