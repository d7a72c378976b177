#include "app/telemetry_fields.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(TelemetryFields, EveryShownValueHasItsOwnControlAndEveryNameIsUnique)
{
    std::set<int> controls;
    std::set<std::string> names;
    for (const TelemetryField& field : TelemetryFields()) {
        for (size_t index = 0; index < field.count; ++index) {
            EXPECT_TRUE(names.insert(ValueName(field, index)).second) << ValueName(field, index);
            if (field.page != TelemetryPage::kNone) {
                EXPECT_TRUE(controls.insert(field.controls[index]).second) << field.key << " " << index;
            }
        }
        if (field.page != TelemetryPage::kNone) {
            EXPECT_LE(field.count, field.controls.size()) << field.key;
        }
        if (field.reported || field.tip != TipLine::kNone) {
            EXPECT_FALSE(field.label.empty()) << field.key;
        }
    }
    EXPECT_FALSE(controls.contains(0));
}

TEST(TelemetryFields, NamesFollowOneRuleForUnitsAndValues)
{
    EXPECT_EQ(ValueName(TelemetryFieldOf(TelemetryFieldId::kFgyr), 2), "fgyr_yaw_dps");
    EXPECT_EQ(UnitSymbol(TelemetryFieldOf(TelemetryFieldId::kFgyr).unit), "deg/s");
    EXPECT_EQ(ValueName(TelemetryFieldOf(TelemetryFieldId::kTempValue), 0), "temp_value_degc");
    EXPECT_EQ(ValueName(TelemetryFieldOf(TelemetryFieldId::kChanAxis), 1), "chan_axis_pitch");
    EXPECT_EQ(ValueName(TelemetryFieldOf(TelemetryFieldId::kChanLevel), 15), "chan_level_15_pct");
    EXPECT_EQ(ValueName(TelemetryFieldOf(TelemetryFieldId::kGrid), 6), "grid_1_2");
    EXPECT_EQ(ValueName(TelemetryFieldOf(TelemetryFieldId::kCalAllowed), 0), "cal_allowed");
}

TEST(TelemetryFields, ValuesAreReadAndWrittenWhereTheStateKeepsThemIntegersHeldInTheirType)
{
    TelemetryState state{};
    const TelemetryField& grid = TelemetryFieldOf(TelemetryFieldId::kGrid);
    grid.set(state, 6, -40000.4);
    EXPECT_EQ(state.m_grid[1][2], -32768);
    const TelemetryField& levels = TelemetryFieldOf(TelemetryFieldId::kChanLevel);
    levels.set(state, 15, 300);
    EXPECT_EQ(state.m_chan_levels[15], 255);
    const TelemetryField& angle = TelemetryFieldOf(TelemetryFieldId::kAngle);
    angle.set(state, 2, 358.56);
    EXPECT_EQ(state.m_angle[2], 358.56);
    EXPECT_EQ(angle.get(state, 2), 358.56);
    EXPECT_EQ(ValueText(angle, state, 2), "358.56");
    state.m_c_status = 0x3A;
    EXPECT_EQ(ValueText(TelemetryFieldOf(TelemetryFieldId::kCStatus), state, 0), "C[3A]");
}

} // namespace
