#include "port_resolution.h"

#include <gtest/gtest.h>

namespace {

TEST(PortResolutionWin, ComPortsByNameOrDevicePathAndUnknownNamesToNothing)
{
    EXPECT_EQ(ResolvePortPath("\\\\.\\COM12"), "\\\\.\\COM12");
    EXPECT_EQ(ResolvePortPath("COM5"), "\\\\.\\COM5");
    EXPECT_EQ(ResolvePortPath("com7"), "\\\\.\\com7");
    EXPECT_EQ(ResolvePortPath("COM"), "");
    EXPECT_EQ(ResolvePortPath("COMX"), "");
    EXPECT_EQ(ResolvePortPath("ttyUSB0"), "");
}

} // namespace
