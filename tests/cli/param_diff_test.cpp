#include "param_diff.h"

#include <gtest/gtest.h>

namespace {

TEST(ParamDiff, ComparesFieldsAsTheFileWritesThem)
{
    GimbalParams first{};
    GimbalParams second{};
    EXPECT_TRUE(DiffParams(first, second).empty());

    second.m_roll_pid_kp = 12.5;
    second.m_chan_map[4] = 3;
    second.m_max_rate_scale = 0.04; // written "%.1f": still "0.0"
    second.m_mtr_cal_par[135] = 0xAB;
    const std::vector<FieldDifference> differences = DiffParams(first, second);
    ASSERT_EQ(differences.size(), 3u);
    EXPECT_EQ(differences[0].m_key, "m_roll_pid_kp");
    EXPECT_EQ(differences[0].m_second, "12.5");
    EXPECT_EQ(differences[1].m_key, "m_chan_map_4");
    EXPECT_EQ(differences[2].m_key, "m_mtr_cal_par");
    EXPECT_TRUE(differences[2].m_second.ends_with("AB"));
    EXPECT_EQ(DifferenceLines({differences[0]}), "m_roll_pid_kp\t0\t12.5\n");
    EXPECT_EQ(DifferenceJson({differences[1]}, "a", "b").Serialise(),
              R"([{"key":"m_chan_map_4","a":"0","b":"3"}])");
}

} // namespace
