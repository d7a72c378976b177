#include "port_resolution.h"

#include <gtest/gtest.h>

namespace {

TEST(PortResolution, PathsAreTakenAsTheyStandAndUnknownNamesResolveToNothing)
{
    EXPECT_EQ(ResolvePortPath("/dev/pts/9"), "/dev/pts/9");
    EXPECT_EQ(ResolvePortPath("./relative"), "./relative");
    EXPECT_EQ(ResolvePortPath("no-such-port-anywhere"), "");
    EXPECT_EQ(ResolvePortPath("null"), "/dev/null") << "a device under /dev by its name";
}

} // namespace
