#include "features/expert_view/expert_layout.h"

#include <gtest/gtest.h>

TEST(ExpertLayout, AWholePageThatFitsIsShownWholeElseTheRoomWithAScrollBarPerCutSide)
{
    EXPECT_EQ(ExpertWindowSize({800, 600}, {1920, 1080}, 16), (PixelSize{800, 600}));
    EXPECT_EQ(ExpertWindowSize({800, 1200}, {1920, 1080}, 16), (PixelSize{816, 1080})) << "cut tall";
    EXPECT_EQ(ExpertWindowSize({2400, 600}, {1920, 1080}, 16), (PixelSize{1920, 616})) << "cut wide";
    EXPECT_EQ(ExpertWindowSize({2400, 1200}, {1920, 1080}, 16), (PixelSize{1920, 1080}));
    // A bar that pushes the other side over the room is cut with it.
    EXPECT_EQ(ExpertWindowSize({1910, 1200}, {1920, 1080}, 16), (PixelSize{1920, 1080}));
}
