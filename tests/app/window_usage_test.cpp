#include "app/window_usage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool HelpAsked(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "orvane");
    return AsksForHelp(static_cast<int>(arguments.size()), arguments.data());
}

TEST(WindowUsage, HelpIsRecognisedAmongTheToolkitsOptions)
{
    EXPECT_TRUE(HelpAsked({"--help"}));
    EXPECT_TRUE(HelpAsked({"-style", "fusion", "-h"}));
    EXPECT_FALSE(HelpAsked({}));
    EXPECT_FALSE(HelpAsked({"-platform", "xcb"}));
    // Past "--" an argument is not an option, whatever it looks like.
    EXPECT_FALSE(HelpAsked({"--", "--help"}));
}

} // namespace
