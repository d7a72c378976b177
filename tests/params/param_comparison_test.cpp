#include "params/param_comparison.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Only the items of the combo boxes matter to a comparison.
class ItemsPanel : public ParamPanel {
public:
    std::map<int, std::vector<std::string>> m_items;

    int Selection(int) const override { return -1; }
    int ItemCount(int control) const override
    {
        const auto found = m_items.find(control);
        return found == m_items.end() ? 0 : static_cast<int>(found->second.size());
    }
    std::string ItemText(int control, int index) const override
    {
        return m_items.at(control).at(static_cast<size_t>(index));
    }
    void SelectIndex(int, int) override {}
    int CheckState(int) const override { return 0; }
    void SetCheckState(int, int) override {}
    std::string Text(int) const override { return {}; }
    void SetTextIfChanged(int, const std::string&) override {}
};

std::vector<std::string> KeysOf(const std::vector<ParamDifference>& differences)
{
    std::vector<std::string> keys;
    for (const ParamDifference& difference : differences)
        keys.push_back(difference.key);
    return keys;
}

TEST(ParamComparisonTest, EqualRecordsAndValuesThatShowAlikeHaveNoDifferences)
{
    ItemsPanel panel;
    GimbalParams current{};
    current.m_max_rate_scale = 1.0;
    GimbalParams other = current;
    EXPECT_TRUE(CompareParams(current, other, panel).empty());

    other.m_max_rate_scale = 1.04; // "%.1f" shows 1.0 for both
    EXPECT_TRUE(CompareParams(current, other, panel).empty());
}

TEST(ParamComparisonTest, DifferencesComeInFileOrderWithCaptionAndShownTexts)
{
    ItemsPanel panel;
    panel.m_items[1070] = {"AUTO", "NORMAL", "INVERT"};
    panel.m_items[1009] = {"Model [007]", "Model [012]"};
    GimbalParams current{};
    GimbalParams other{};
    other.m_roll_pid_kp = 42;
    other.m_udmode_type = 2;
    other.m_product_type = 12;
    other.m_chan_map[3] = 5; // no items: shown as its number
    other.m_max_rate_scale = 2.5;

    const std::vector<ParamDifference> differences = CompareParams(current, other, panel);

    ASSERT_EQ(KeysOf(differences),
              (std::vector<std::string>{"m_product_type", "m_udmode_type", "m_roll_pid_kp",
                                        "m_max_rate_scale", "m_chan_map_3"}));
    EXPECT_EQ(differences[0].current_text, "0") << "code 0 is no item of the box";
    EXPECT_EQ(differences[0].other_text, "Model [012]");
    EXPECT_EQ(differences[1].caption, "AUTO/NORMAL/INVERT");
    EXPECT_EQ(differences[1].current_text, "AUTO");
    EXPECT_EQ(differences[1].other_text, "INVERT");
    EXPECT_EQ(differences[2].caption, "KP (roll)");
    EXPECT_EQ(differences[2].other_text, "42");
    EXPECT_EQ(differences[3].other_text, "2.5");
    EXPECT_EQ(differences[4].other_text, "5");
}

TEST(ParamComparisonTest, TheCalibrationBlockIsOneDifferenceShownByItsStart)
{
    ItemsPanel panel;
    GimbalParams current{};
    GimbalParams other{};
    other.m_mtr_cal_par[0] = 0xAB;
    other.m_mtr_cal_par[100] = 1;

    const std::vector<ParamDifference> differences = CompareParams(current, other, panel);

    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].key, "m_mtr_cal_par");
    EXPECT_TRUE(differences[0].caption.empty());
    EXPECT_EQ(differences[0].other_text.substr(0, 2), "AB");
    EXPECT_LT(differences[0].other_text.size(), 20u);
}

TEST(ParamComparisonTest, TakeParamsCopiesExactlyTheChosenKeys)
{
    GimbalParams target{};
    GimbalParams source{};
    source.m_roll_pid_kp = 42.125; // copied exactly, not as shown
    source.m_pitch_pid_kp = 7;
    source.m_chan_map[1] = 3;
    source.m_chan_map[2] = 4;
    source.m_camera_opts = 0xDEADBEEF;
    source.m_mtr_cal_par[5] = 9;

    const std::vector<std::string> keys{"m_roll_pid_kp", "M_CHAN_MAP_1", "m_camera_opts", "m_mtr_cal_par",
                                        "no_such_key"};
    TakeParams(target, source, keys);

    EXPECT_EQ(target.m_roll_pid_kp, 42.125);
    EXPECT_EQ(target.m_chan_map[1], 3) << "keys match without regard to case, as in the file";
    EXPECT_EQ(target.m_camera_opts, 0xDEADBEEFu);
    EXPECT_EQ(target.m_mtr_cal_par[5], 9);
    EXPECT_EQ(target.m_pitch_pid_kp, 0);
    EXPECT_EQ(target.m_chan_map[2], 0);
}

} // namespace
