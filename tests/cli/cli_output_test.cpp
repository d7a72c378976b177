#include "cli_output.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(CliOutput, TextModeWritesTextAndErrorsOnlyToStandardError)
{
    std::ostringstream out;
    std::ostringstream err;
    CliOutput output(out, err, false);
    output.Result("line\n", JsonValue::MakeObject().Add("x", 1));
    output.Progress("working ...");
    EXPECT_EQ(output.Fail(ExitStatus::kTimeout, "time-out"), ExitStatus::kTimeout);
    EXPECT_EQ(out.str(), "line\n");
    EXPECT_EQ(err.str(), "working ...\norvane-cli: time-out\n");
}

TEST(CliOutput, JsonModeAlsoReportsErrorsOnStandardOutput)
{
    std::ostringstream out;
    std::ostringstream err;
    CliOutput output(out, err, true);
    output.Result("line\n", JsonValue::MakeObject().Add("x", 1));
    output.Progress("working ...");
    output.Fail(ExitStatus::kUsageError, "port 'p' does not exist");
    EXPECT_EQ(out.str(), "{\"x\":1}\n{\"error\":\"port 'p' does not exist\",\"exit_status\":3}\n");
    EXPECT_EQ(err.str(), "orvane-cli: port 'p' does not exist\n");
}

} // namespace
