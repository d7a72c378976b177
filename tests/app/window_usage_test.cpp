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

TEST(WindowUsage, NamesTheSettingsFileAStartFromHereUses)
{
    const std::string usage = WindowUsage("/home/user/.config/orvane/Setting.ini");
    EXPECT_NE(usage.find("working directory when one is there"), std::string::npos);
    EXPECT_NE(usage.find("\n  /home/user/.config/orvane/Setting.ini\n"), std::string::npos) << usage;
}

} // namespace
