#include "app/tick_divider.h"

#include <gtest/gtest.h>

#include <vector>

TEST(TickDivider, PassesTheFifthAndTenthTickOfFive)
{
    TickDivider every_fifth(5);
    std::vector<int> passed;
    for (int tick = 1; tick <= 12; ++tick) {
        if (every_fifth.Tick())
            passed.push_back(tick);
    }
    EXPECT_EQ(passed, (std::vector<int>{5, 10}));
}

TEST(TickDivider, OneOrZeroPassesEveryTick)
{
    for (const unsigned every : {0u, 1u}) {
        TickDivider divider(every);
        EXPECT_TRUE(divider.Tick());
        EXPECT_TRUE(divider.Tick());
    }
}
